#!/usr/bin/env bash
# The windowed viewer under an X server of its own: the show moves (two screenshots
# differ), fills the window (both mostly not the black root), and an xdotool key
# press closes it with exit code 0.
# usage: window_test.sh VIEWER PROJECT
set -uo pipefail
viewer=$1
project=$2
x11=$(cd "$(dirname "$0")/../../x11" && pwd)
source "$x11/show_session.sh"
work=$(mktemp -d)
trap 'stop_session; rm -rf "$work"' EXIT

started=$("$x11/start_xvfb.sh" 1024x768x24 "$work" -br) || fail "no X screen"
export DISPLAY=${started% *}
server=${started#* }
unset XSCREENSAVER_WINDOW

SDL_AUDIODRIVER=dummy "$viewer" --size 1024x768 --fps 30 "$project" >"$work/viewer.log" 2>&1 &
show=$!
# Share of pixels that are not the black root window.
covered() { /usr/bin/convert "$1" -colorspace gray -threshold 2% -format '%[fx:mean]' info:; }
# The window appears within moments, later on a busy machine: wait for it.
for _ in $(seq 60); do
  sleep 0.5
  kill -0 "$show" 2>/dev/null || fail "the viewer ended early: $(cat "$work/viewer.log")"
  /usr/bin/import -window root "$work/one.png" || fail "no first screenshot"
  awk "BEGIN { exit !($(covered "$work/one.png") > 0.6) }" && break
done
# Sprites are born over the first seconds of a show: compare pairs of screenshots
# until they differ, for a while.
for _ in $(seq 30); do
  /usr/bin/import -window root "$work/one.png" || fail "no first screenshot"
  sleep 0.7
  /usr/bin/import -window root "$work/two.png" || fail "no second screenshot"
  changed=$(/usr/bin/compare -metric AE "$work/one.png" "$work/two.png" null: 2>&1 | cut -d' ' -f1)
  awk "BEGIN { exit !($changed > 100) }" && break
done

for shot in one two; do
  share=$(covered "$work/$shot.png")
  echo "screenshot $shot: $share of the screen shows the show"
  awk "BEGIN { exit !($share > 0.6) }" || fail "screenshot $shot is mostly background ($share)"
done
echo "pixels changed between the screenshots: $changed"
awk "BEGIN { exit !($changed > 100) }" || fail "the sprites did not move"

end_show_with_key "the window" "$work/viewer.log"
echo "closed on a key press with exit code 0"
