#!/usr/bin/env bash
# The Linux viewer full screen on a two-head X server: Span draws moving sprites
# on both heads, Mirror the same picture on both, Primary only black on the
# second; a key press ends each with exit code 0.
# usage: dual_head_viewer_test.sh VIEWER PROJECT WORK-DIR
set -uo pipefail
viewer=$1 project=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/head_checks.sh"
source "$here/show_session.sh"
rm -rf "$work" && mkdir -p "$work"

started=$("$here/start_dual_head.sh" "$work")
case $? in 0) ;; 77) echo "skipped: $started"; exit 77 ;; *) fail "no two-head server" ;; esac
export DISPLAY=${started% *}
server=${started#* }
unset XSCREENSAVER_WINDOW
xdotool mousemove 600 500

# run ARRANGEMENT: starts the show, takes two screenshots 1.5 s apart, ends it with a key.
run() {
    SDL_AUDIODRIVER=dummy "$viewer" --monitors "$1" --fps 30 "$project" >"$work/$1.log" 2>&1 &
    show=$!
    # The window appears within moments, later on a busy machine: wait for it.
    for _ in $(seq 60); do
        sleep 0.5
        kill -0 "$show" 2>/dev/null || fail "$1: the viewer ended early: $(cat "$work/$1.log")"
        shot_heads "$work/$1-a" || fail "$1: no screenshot"
        above "$(lit_share "$work/$1-a-0.png")" 0.6 && break
    done
    # Sprites are born over the first seconds: retake the pair until head 0 moves.
    for _ in $(seq 10); do
        sleep 0.5
        shot_heads "$work/$1-a" || fail "$1: no screenshot"
        sleep 1.5
        shot_heads "$work/$1-b" || fail "$1: no screenshot"
        above "$(changed_share "$work/$1-a-0.png" "$work/$1-b-0.png")" 0.0005 && break
    done
    end_show_with_key "$1" "$work/$1.log"
}

run span
for h in 0 1; do
    moved=$(changed_share "$work/span-a-$h.png" "$work/span-b-$h.png")
    lit=$(lit_share "$work/span-b-$h.png")
    echo "span, head $h: $moved of the pixels changed, $lit lit"
    above "$moved" 0.0005 || fail "span: nothing moved on head $h"
    above "$lit" 0.6 || fail "span: head $h is mostly dark ($lit)"
done
# One show over both: the heads show different parts of it, not the same picture twice.
apart=$(scaled_difference "$work/span-b-0.png" "$work/span-b-1.png")
above "$apart" 0.02 || fail "span: both heads show the same picture ($apart)"

run mirror
same=$(scaled_difference "$work/mirror-b-0.png" "$work/mirror-b-1.png")
lit=$(lit_share "$work/mirror-b-1.png")
echo "mirror: heads differ by $same after scaling; head 1 $lit lit"
above 0.05 "$same" || fail "mirror: the heads show different pictures ($same)"
above "$lit" 0.6 || fail "mirror: head 1 is mostly dark ($lit)"

run primary
lit0=$(lit_share "$work/primary-b-0.png")
lit1=$(lit_share "$work/primary-b-1.png")
moved=$(changed_share "$work/primary-a-0.png" "$work/primary-b-0.png")
echo "primary: head 0 $lit0 lit, $moved changed; head 1 $lit1 lit"
above "$lit0" 0.6 || fail "primary: head 0 is mostly dark"
above "$moved" 0.0005 || fail "primary: nothing moved on head 0"
above 0.001 "$lit1" || fail "primary: head 1 is not black ($lit1)"
echo "PASS: span, mirror and primary on two heads; each closed on a key with code 0"
