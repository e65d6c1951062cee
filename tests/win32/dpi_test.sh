#!/usr/bin/env bash
# Orbellan.exe's main dialog under Wine at a given DPI, on a private Xvfb screen
# and Wine prefix: dpi_layout_driver checks that the program is DPI aware and that
# no control is cut off; the screenshot is kept as an artefact.
# usage: dpi_test.sh DPI WIN-BIN-DIR WORK-DIR ARTEFACT-DIR
set -euo pipefail
dpi=$1 bin=$2 work=$3 artefacts=$4
top=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work" "$artefacts"
# Room for the dialog at twice the usual size.
started=$("$top/tests/x11/start_xvfb.sh" 2560x1600x24 "$work") || fail "no X screen"
export DISPLAY=${started% *}
xvfb=${started#* }
prefix=$work/prefix
stop() {
    "$top/scripts/wine-prefix-end" "$prefix" $?
    kill "$xvfb" 2>/dev/null || true
}
trap stop EXIT
"$top/scripts/wine-prefix" "$prefix" >/dev/null
# Wine takes the screen's DPI from the user's desktop settings when it starts.
"$top/scripts/wine-run" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1
WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true

mkdir -p "$work/program"
cp "$bin/Orbellan.exe" "$work/program/"
shot=$work/orbellan-${dpi}dpi.bmp
set +e
"$top/scripts/wine-run" "$prefix" "$bin/dpi_layout_driver.exe" "$work/program/Orbellan.exe" "$shot" \
    >"$work/driver.out" 2>>"$work/wine.out"
failed=$?
set -e
cat "$work/driver.out"
grep -q "screen at $dpi DPI" "$work/driver.out" || fail "Wine did not take $dpi DPI"
[ -f "$shot" ] && /usr/bin/convert "$shot" "$artefacts/orbellan-${dpi}dpi.png" &&
    echo "screenshot: $artefacts/orbellan-${dpi}dpi.png"
[ "$failed" = 0 ] || fail "$failed checks failed at $dpi DPI"
echo "PASS: Orbellan.exe at $dpi DPI"
