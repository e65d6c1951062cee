#!/usr/bin/env bash
# Runs one of the drivers that work Orbellan.exe from outside, on a private Xvfb
# screen and Wine prefix, with the program folder as users get it and a set of
# input pictures and a clip. Converts the driver's screenshots to PNG.
# Usage: orbellan_driver_test.sh DRIVER WIN-BIN-DIR WORK-DIR ARTEFACT-DIR
# The driver is started as DRIVER.exe PROGRAM INPUT OUTPUT ARTEFACTS; its failures
# are counted in its exit code.
set -euo pipefail
driver=$1 bin=$2 work=$3 artefacts=$4
top=$(cd "$(dirname "$0")/../../.." && pwd)
convert=/usr/bin/convert
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"/input/{bmp,png,jpg,avi} "$work/output" "$work/program" "$artefacts"
started=$("$top/tests/x11/start_xvfb.sh" 1024x768x24 "$work/xvfb") || fail "no X screen"
export DISPLAY=${started% *}
xvfb=${started#* }
cleanup() {
    "$top/scripts/wine-prefix-end" "$work/prefix" $?
    kill $xvfb 2>/dev/null || true
    wait $xvfb 2>/dev/null || true
}
trap cleanup EXIT
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
if [ "$driver" = orbellan_avi_driver ]; then
    # One clip of each kind the clip import must read or refuse, each alone in its folder.
    mkdir -p "$work"/input/{hundred,ntsc,deep,sound,junk}
    run "$bin/make_test_clip.exe" "$work/input/hundred/c100.avi" 100 64 48 15 &&
        run "$bin/make_test_clip.exe" "$work/input/ntsc/ntsc.avi" 12 64 48 30000/1001 &&
        run "$bin/make_test_clip.exe" "$work/input/deep/deep.avi" 4 32 24 5 32 &&
        run "$bin/make_test_clip.exe" "$work/input/sound/sound.avi" audio || fail "cannot write the test clips"
    head -c 4000 /dev/urandom >"$work/input/junk/junk.avi"
fi
if [ "$driver" = orbellan_gif_driver ]; then
    # An animation whose frames are cleared before the next, one of them transparent
    # around a rectangle, with a bitmap beside it; a still picture with a white
    # detail; one frame more than an actor takes (one shared colour map keeps
    # ImageMagick quick over a thousand frames).
    mkdir -p "$work"/input/gif/{anim,still,many}
    "$convert" -dispose Background -delay 10 \
        \( -size 40x30 xc:'#ff0000' -fill white -draw 'rectangle 30,20 33,23' \) \
        \( -size 40x30 xc:none -fill '#00a000' -draw 'rectangle 10,5 29,24' \) \
        \( -size 40x30 xc:'#0000ff' \) "$work/input/gif/anim/anim.gif"
    cp "$work/input/bmp/actor.bmp" "$work/input/gif/anim/a.bmp"
    "$convert" -size 32x24 xc:'#c08020' -fill '#204080' -draw 'rectangle 8,6 23,17' \
        -fill white -draw 'rectangle 28,2 29,3' "$work/input/gif/still/still.gif"
    "$convert" -size 4x4 xc:'#ff0000' -duplicate 1000 +map "$work/input/gif/many/many.gif"
fi

set +e
run "$bin/$driver.exe" "$work/program/Orbellan.exe" "$work/input" "$work/output" "$artefacts"
failures=$?
set -e
for shot in "$artefacts"/*.bmp; do
    [ -e "$shot" ] && "$convert" "$shot" "${shot%.bmp}.png" && rm -f "$shot"
done
[ $failures = 0 ] || fail "$driver counted $failures failures"
echo "PASS: $driver"
