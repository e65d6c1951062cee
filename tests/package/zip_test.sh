#!/usr/bin/env bash
# The Windows .zip: zip_test.sh PACKAGES-FOLDER WORK-DIR [wine]
# Without "wine": it holds one folder with the 32-bit programs, the help page
# and the demo project with its files. With "wine": its programs start under
# 32-bit Wine, where this machine can run them (else skipped, exit 77).
set -euo pipefail
zip=$(realpath "$1"/*.zip) work=$(realpath -m "$2") mode=${3:-contents}
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
cd "$work"
unzip -q "$zip"
folder=$(basename "$zip" .zip)

if [ "$mode" = contents ]; then
  listed=$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
  expected="Orbellan.exe Orbellan.html Viewer.scr backdrop.bmp banner.bmp bounce.wav create.wav demo.apj demo.mid destroy.wav "
  [ "$listed" = "$expected" ] || fail "the zip holds: $listed"
  for program in Orbellan.exe Viewer.scr; do
    kind=$(file -b "$folder/$program")
    [[ $kind == "PE32 executable (GUI) Intel 80386"* ]] || fail "$program is $kind"
  done
  echo "the zip holds the 32-bit programs, the help page and the demo"
  exit 0
fi

if ! "$top/scripts/runs-32bit" || [ ! -x /usr/lib/wine/wine ]; then
  echo "skipped: this machine cannot run 32-bit Windows programs (its kernel runs no 32-bit" \
       "programs, or 32-bit Wine is missing), so the zip's programs were not started"
  exit 77
fi
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>display >/dev/null 2>&1 &
xvfb=$!
prefix=$work/prefix
cleanup() {
  "$top/scripts/wine-prefix-end" "$prefix" $?
  kill $xvfb 2>/dev/null || true
  wait $xvfb 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s display ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 display) ORB_WINE_ARCH=win32
"$top/scripts/wine-prefix" "$prefix" >/dev/null

# The viewer, as a saver named Demo beside the demo project, shows it until a key.
cp "$folder/Viewer.scr" "$folder/Demo.scr"
cp "$folder/demo.apj" "$folder/Demo.apj"
( cd "$folder" && "$top/scripts/wine-run" "$prefix" Demo.scr /s >/dev/null 2>&1; echo $? >"$work/viewer.rc" ) &
sleep 8
[ ! -f viewer.rc ] || fail "Viewer.scr ended by itself with $(cat viewer.rc)"
xdotool key space
for _ in $(seq 100); do [ -f viewer.rc ] && break; sleep 0.1; done
[ "$(cat viewer.rc 2>/dev/null)" = 0 ] || fail "Viewer.scr did not end with 0 at a key"

# The authoring program opens its main window.
( cd "$folder" && "$top/scripts/wine-run" "$prefix" Orbellan.exe >/dev/null 2>&1 ) &
for _ in $(seq 300); do xdotool search --name '^Orbellan' >/dev/null 2>&1 && break; sleep 0.1; done
xdotool search --name '^Orbellan' >/dev/null 2>&1 || fail "Orbellan.exe opened no window"
echo "the zip's programs start under Wine"
