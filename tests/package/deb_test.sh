#!/usr/bin/env bash
# The .deb as a user gets it, unpacked into a scratch prefix (dpkg-deb -x) and
# run from there, far from the build tree:
#   deb_test.sh PACKAGES-FOLDER BUILD-VIEWER WORK-DIR
# BUILD-VIEWER renders the same frames from the build tree for comparison.
set -euo pipefail
deb=$(realpath "$1"/*.deb) build_viewer=$(realpath "$2") work=$(realpath -m "$3")
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
cd "$work"
export HOME=$work/home XDG_CONFIG_HOME= XDG_DATA_HOME=
mkdir -p "$HOME"

# The control data: its version is the changelog's, and the libraries it needs
# were read from the programs (libc6 always among them).
version=$(dpkg-deb -f "$deb" Version)
changelog_version=$(zcat "$usr/share/doc/orbellan/changelog.gz" | sed -n '1s/^orbellan (\([^)]*\)).*/\1/p')
[ "$version" = "$changelog_version" ] || fail "package version $version, changelog $changelog_version"
dpkg-deb -f "$deb" Depends | grep -q 'libc6 (>=' || fail "no libc6 among the dependencies: $(dpkg-deb -f "$deb" Depends)"

# The installed viewer plays its own demo: 60 frames, the 30th and 60th written,
# the same bytes as the build tree's viewer draws.
"$usr/bin/viewer" --headless --frames 60 --every 30 --size 320x240 --out installed >viewer.out
grep -q '^frames 60 ' viewer.out || fail "viewer printed: $(cat viewer.out)"
"$build_viewer" --headless --frames 60 --every 30 --size 320x240 --out built >/dev/null
for frame in frame000030.png frame000060.png; do
  cmp -s "installed/$frame" "built/$frame" || fail "$frame differs from the build tree's"
done
[ "$(ls installed)" = "$(printf 'frame000030.png\nframe000060.png')" ] || fail "frames written: $(ls installed)"
# That demo is the installed one: without it the viewer finds none.
mv "$usr/share/orbellan/demo.apj" demo-aside.apj
if "$usr/bin/viewer" --headless --frames 1 >no-demo.out 2>&1; then fail "played without a demo project"; fi
grep -q 'the demo project was not found' no-demo.out || fail "without the demo: $(cat no-demo.out)"
mv demo-aside.apj "$usr/share/orbellan/demo.apj"

# xscreensaver's entry: the hack is the viewer, and its description names it.
"$usr/libexec/xscreensaver/orbellan-demo" --headless --frames 2 >hack.out || fail "the hack did not run: $(cat hack.out)"
python3 - "$usr/share/xscreensaver/config/orbellan-demo.xml" <<'PY' || fail "the hack description is wrong"
import sys, xml.etree.ElementTree as tree
saver = tree.parse(sys.argv[1]).getroot()
assert saver.tag == "screensaver" and saver.get("name") == "orbellan-demo", saver.attrib
assert saver.find("command").get("arg") == "--root"
PY

# orbellan builds a Windows saver from the installed prefix: the project and a
# copy of the installed Viewer.scr. Built from the demo's folder, it finds the
# music, sounds and pictures the demo names, so none is left out.
orbellan=$usr/bin/orbellan
mkdir saver
(cd "$usr/share/orbellan" && "$orbellan" build demo.apj --name Demo --out "$work/saver") >build.out 2>&1 ||
  fail "build: $(cat build.out)"
! grep -q 'cannot be embedded' build.out || fail "the demo lost some of its files: $(cat build.out)"
cmp -s saver/Demo.scr "$usr/share/orbellan/Viewer.scr" || fail "Demo.scr is not the installed Viewer.scr"
"$orbellan" info saver/Demo.apj >info.out || fail "the built project does not load: $(cat info.out)"

# ... and installs it for Linux with its own copy of the installed viewer.
"$orbellan" install "$usr/share/orbellan/demo.apj" --name demo >install.out || fail "install: $(cat install.out)"
savers=$HOME/.local/share/orbellan/savers
cmp -s "$savers/orbellan-viewer" "$usr/bin/viewer" || fail "the saver's viewer is not the installed one"
"$savers/demo" --headless --frames 2 >launcher.out || fail "the launcher did not play: $(cat launcher.out)"

# The help page opens from the installed data folder (a stand-in browser records it).
mkdir stub
printf '#!/bin/sh\necho "$@" > "%s/opened"\n' "$work" >stub/xdg-open
chmod +x stub/xdg-open
PATH=$work/stub:$PATH "$orbellan" help --browser || fail "help --browser failed"
[ "$(cat opened)" = "$usr/share/orbellan/orbellan-help.html" ] || fail "opened $(cat opened)"

# The manual pages render without a complaint from man.
for page in viewer orbellan; do
  warnings=$(MANWIDTH=80 man --warnings -l "$usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1): $warnings"
done
echo "the unpacked package plays, builds and installs"
