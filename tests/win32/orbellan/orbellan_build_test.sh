#!/usr/bin/env bash
# From pictures to a running screen saver under Wine, on a private Xvfb screen
# and Wine prefix: Orbellan.exe, worked by orbellan_build_driver, imports a BMP, a
# PNG, a JPEG and an AVI clip and builds fish.scr and fish.apj; the built files
# are checked and the saver is run through the viewer's own show test.
# Usage: orbellan_build_test.sh WIN32-BIN-DIR WORK-DIR ARTEFACT-DIR
set -euo pipefail
bin=$1 work=$2 artefacts=$3
top=$(cd "$(dirname "$0")/../../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

"$(dirname "$0")/orbellan_driver_test.sh" orbellan_build_driver "$bin" "$work" "$artefacts" ||
    fail "the build driver failed"

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
