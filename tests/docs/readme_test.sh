#!/usr/bin/env bash
# Runs the README's command blocks so the guide cannot rot:
#   readme_test.sh SOURCE-DIR BUILD-DIR WORK-DIR
# ```sh blocks run one after another in one shell, in a scratch folder with the
# build's programs first on PATH and a scratch home, after two pictures
# (fish1.png, fish2.png) and an ~/.xscreensaver like xscreensaver writes are laid
# there. The first block holds the project's own scripts: ./scripts/demo runs
# (headless, on this build); ./scripts/test does not, as this test is part of
# its run. ```bat blocks are for Windows: the files they copy must exist.
# Any other kind of block fails the test, so none escapes it.
set -euo pipefail
source=$1 build=$2 work=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/blocks"
# Splits the README into blocks/NN.KIND, in order.
awk -v out="$work/blocks" '
  /^```/ && !inside { inside = 1; n++; kind = substr($0, 4); if (kind == "") kind = "none"
                      file = sprintf("%s/%02d.%s", out, n, kind); printf "" > file; next }
  /^```/ && inside  { inside = 0; close(file); next }
  inside            { print > file }
' "$source/README.md"
blocks=$(ls "$work/blocks")
[ -n "$blocks" ] || fail "the README has no command blocks"
for block in $blocks; do
  case $block in *.sh|*.bat) ;; *) fail "block $block is of a kind this test cannot run" ;; esac
done

# The project's own scripts.
first=$work/blocks/$(head -n1 <<<"$blocks")
while read -r command _; do
  case $command in
    ./scripts/demo)
      (cd "$source" && ORB_BUILD_DIR=$build ORB_SKIP_INSTALL_DEPS=1 DISPLAY= ./scripts/demo --frames 30) \
        >"$work/demo.out" 2>&1 || fail "./scripts/demo: $(tail -5 "$work/demo.out")"
      grep -q '^contact sheet: ' "$work/demo.out" || fail "./scripts/demo drew no contact sheet: $(cat "$work/demo.out")"
      echo "ran: ./scripts/demo" ;;
    ./scripts/test) echo "not run here: ./scripts/test (this test is part of its run)" ;;
    ''|'#'*) ;;
    *) fail "the first block runs $command, which this test does not know" ;;
  esac
done <"$first"

# The guide's blocks, in a scratch folder and home.
scratch=$work/scratch
mkdir -p "$scratch/home"
cd "$scratch"
"$build/bin/viewer" --headless --frames 1 --size 96x64 --out pictures >/dev/null
"$build/bin/viewer" --headless --frames 2 --every 2 --size 96x64 --mode 3 --out pictures >/dev/null
mv pictures/frame000001.png fish1.png
mv pictures/frame000002.png fish2.png
rmdir pictures
printf 'mode:\t\trandom\nprograms:\t\t\t\t\t\t\t      \\\n\t\t\t\tmaze --root\t\t\t    \\n\\\n\n' >home/.xscreensaver
guide=$work/guide.sh
{
  echo "set -euo pipefail"
  for block in $blocks; do
    [ "$work/blocks/$block" != "$first" ] && [[ $block == *.sh ]] && { echo "echo '# block $block'"; cat "$work/blocks/$block"; }
  done
} >"$guide"
env -u DISPLAY -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$scratch/home" PATH="$build/bin:$PATH" \
  bash "$guide" >"$work/guide.out" 2>&1 || fail "a README block failed: $(tail -8 "$work/guide.out")"
echo "ran the README's sh blocks: $(grep -c '^# block' "$work/guide.out")"

for block in $blocks; do
  [[ $block == *.bat ]] || continue
  while read -r command from _; do
    [ "${command,,}" = copy ] || continue
    [ -f "$scratch/${from//\\//}" ] || fail "block $block copies $from, which the guide did not make"
  done <"$work/blocks/$block"
  echo "checked the Windows block $block"
done
