#!/usr/bin/env bash
# From pictures to a running screen saver under Wine, on a private Xvfb screen
# and Wine prefix: Orbellan.exe, worked by orbellan_build_driver, imports a BMP, a
# PNG, a JPEG and an AVI clip and builds fish.scr and fish.apj; the built files
# are checked and the saver is run through the viewer's own show test.
# Usage: orbellan_build_test.sh WIN32-BIN-DIR WORK-DIR ARTEFACT-DIR
set -euo pipefail
bin=$1 work=$2 artefacts=$3
top=$(cd "$(dirname "$0")/../../.." && pwd)
convert=/usr/bin/convert
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"/input/{bmp,png,jpg,avi} "$work/output" "$work/program" "$artefacts"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
cleanup() {
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    kill $xvfb 2>/dev/null || true
    wait $xvfb 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$work/display")
"$top/scripts/wine-prefix" "$work/prefix" >/dev/null
run() { "$top/scripts/wine-run" "$work/prefix" "$@"; }

# The program folder as users get it: Orbellan.exe, its help page and Viewer.scr.
cp "$bin/Orbellan.exe" "$bin/Orbellan.html" "$bin/Viewer.scr" "$work/program/"
# Pictures with a light field and dark shapes, so sprites stand out on the stars.
"$convert" -size 96x72 xc:'#f0e060' -fill '#2040c0' -draw 'circle 48,36 48,8' BMP3:"$work/input/bmp/actor.bmp"
"$convert" -size 640x480 xc:'#80c080' BMP3:"$work/input/bmp/big.bmp"
"$convert" -size 96x72 xc:'#60e0f0' -fill '#c02040' -draw 'rectangle 20,14 76,58' "$work/input/png/actor.png"
"$convert" -size 96x72 xc:'#f080f0' -fill '#104010' -draw 'polygon 48,4 92,68 4,68' -quality 92 "$work/input/jpg/actor.jpg"
run "$bin/make_test_clip.exe" "$work/input/avi/clip.avi" 10 64 48 5 || fail "cannot write the test clip"

set +e
run "$bin/orbellan_build_driver.exe" "$work/program/Orbellan.exe" "$work/input" "$work/output" "$artefacts"
driver=$?
set -e
[ $driver = 0 ] || fail "the driver counted $driver failures"

apj=$work/output/fish.apj
cmp -s "$work/program/Viewer.scr" "$work/output/fish.scr" || fail "fish.scr is not a copy of Viewer.scr"
# The compressed project: an archive followed by the plain project's size.
size=$(tail -c 4 "$apj" | od -An -tu4 | tr -d ' ')
head -c -4 "$apj" >"$work/fish.zip"
unzip -tq "$work/fish.zip" || fail "the built project is not a sound archive"
listed=$(unzip -Z1 "$work/fish.zip")
[ "$listed" = ORBxxx.apj ] || fail "the archive holds '$listed', not ORBxxx.apj"
plain=$(unzip -p "$work/fish.zip" ORBxxx.apj | wc -c)
[ "$plain" = "$size" ] || fail "trailer says $size bytes, the archived project has $plain"
[ -z "$(find "$work/output" -name 'ORBxxx.apj')" ] || fail "ORBxxx.apj left behind"
echo "built fish.apj: $(stat -c %s "$apj") bytes holding a $plain-byte project"

# The built saver, run full screen: the show must move and fill the screen, and
# a key must end it with 0.
"$top/tests/win32/viewer_wine_test.sh" show-gdi "$bin" "$apj" "$work/show"
cp "$work/show/show2.png" "$artefacts/built_saver_show.png"
echo "PASS: orbellan build"
