#!/usr/bin/env bash
# The install script's decisions, against fake apt-get, dpkg-query, dpkg and id
# on the PATH: nothing touches the real system. Each case sets what is installed,
# how `apt-get update` behaves and which packages cannot be installed, then checks
# the exit code, what was asked of apt-get and the lines a user would read.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
script=$top/scripts/install-deps
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL [$case_name]: $*"; failures=$((failures + 1)); }

# The fakes keep their state in $FAKE: installed (one package a line),
# unavailable (packages whose install fails), update_failures (how many
# `apt-get update` calls fail before one succeeds) and calls (what apt-get was asked).
mkdir -p "$work/bin"
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/usr/bin/env bash
pkg=${!#}
grep -qxF "$pkg" "$FAKE/installed" && { printf 'install ok installed'; exit 0; }
echo "dpkg-query: no packages found matching $pkg" >&2; exit 1
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$FAKE/calls"
case " $* " in
  *" update "*)
    left=$(cat "$FAKE/update_failures")
    if [ "$left" -gt 0 ]; then
      echo $((left - 1)) >"$FAKE/update_failures"
      echo "E: Some index files failed to download." >&2; exit 100
    fi
    exit 0 ;;
  *" install "*)
    for p in "$@"; do
      grep -qxF -- "$p" "$FAKE/unavailable" && { echo "E: Unable to install $p" >&2; exit 100; }
    done
    for p in "$@"; do [[ $p == -* || $p == install ]] || echo "$p" >>"$FAKE/installed"; done
    exit 0 ;;
esac
FAKE
cat >"$work/bin/dpkg" <<'FAKE'
#!/usr/bin/env bash
case $1 in
  --print-foreign-architectures) cat "$FAKE/arches" ;;
  --add-architecture) echo "$2" >>"$FAKE/arches"; echo "dpkg $*" >>"$FAKE/calls" ;;
esac
FAKE
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
chmod +x "$work/bin"/*

native_all=$(sed -n '/^native=(/,/)/p' "$script" | tr -d '()' | sed 's/native=//' | tr -s ' \n' '\n' | grep -v '^$')

# new_case NAME: a machine with nothing installed, a working mirror and a
# kernel that runs 32-bit programs; the case then changes what it needs.
new_case() {
  case_name=$1
  export FAKE=$work/$1
  mkdir -p "$FAKE"
  : >"$FAKE/installed"; : >"$FAKE/unavailable"; : >"$FAKE/calls"; : >"$FAKE/arches"
  echo 0 >"$FAKE/update_failures"
  runs32=true
}
run_script() {
  PATH=$work/bin:$PATH ORB_APT_RETRY_PAUSE=0 ORB_RUNS_32BIT=$runs32 "$script" >"$FAKE/out" 2>&1
  rc=$?
}
expect_rc() { [ "$rc" = "$1" ] || fail "exit code $rc, expected $1; output: $(cat "$FAKE/out")"; }
says() { grep -qF -- "$1" "$FAKE/out" || fail "does not say '$1'; output: $(cat "$FAKE/out")"; }
never_says() { ! grep -qF -- "$1" "$FAKE/out" || fail "says '$1'"; }
calls_matching() { grep -c -- "$1" "$FAKE/calls"; }
is_installed() { grep -qxF -- "$1" "$FAKE/installed" || fail "$1 was not installed"; }

new_case everything-present
echo "$native_all" >"$FAKE/installed"; printf 'wine\nwine64\nwine32:i386\n' >>"$FAKE/installed"
run_script
expect_rc 0
[ ! -s "$FAKE/calls" ] || fail "asked apt-get for something: $(cat "$FAKE/calls")"

new_case fresh-machine
run_script
expect_rc 0
is_installed cmake; is_installed wine64; is_installed wine32:i386
grep -qx 'i386' "$FAKE/arches" || fail "the i386 architecture was not added"
# Native packages first and on their own; then each Wine on its own.
[ "$(grep -n -E '(^| )install ' "$FAKE/calls" | head -1 | grep -c cmake)" = 1 ] || fail "the first install is not the native one"
[ "$(calls_matching 'install.*wine')" = 2 ] || fail "Wine was not installed in two separate calls: $(cat "$FAKE/calls")"
[ "$(grep -E '(^| )install ' "$FAKE/calls" | head -1 | grep -c wine)" = 0 ] || fail "Wine was installed together with the native packages"

new_case mirror-heals-on-retry
echo 2 >"$FAKE/update_failures"
run_script
expect_rc 0
[ "$(calls_matching update)" = 3 ] || fail "expected 3 update attempts, saw $(calls_matching update)"
says "apt-get update failed (attempt 1 of 3); retrying"
never_says "could not be refreshed"

new_case mirror-stays-broken
echo 99 >"$FAKE/update_failures"
run_script
expect_rc 0
[ "$(calls_matching update)" = 3 ] || fail "expected 3 update attempts, saw $(calls_matching update)"
says "install-deps: some package indexes could not be refreshed; going on with the ones that did"
is_installed cmake

new_case wine32-uninstallable
echo 99 >"$FAKE/update_failures"
echo 'wine32:i386' >"$FAKE/unavailable"
run_script
expect_rc 0
is_installed cmake; is_installed wine64
says "install-deps: 32-bit Wine could not be installed (wine32:i386); the demo and the native tests still work, the Windows test cases need Wine"
[ "$(grep -c 'could not be installed' "$FAKE/out")" = 1 ] || fail "more than one failure line"

new_case no-wine-at-all
printf 'wine32:i386\nwine64\n' >"$FAKE/unavailable"
run_script
expect_rc 0
is_installed cmake
says "install-deps: 64-bit Wine could not be installed (wine wine64)"
says "install-deps: 32-bit Wine could not be installed (wine32:i386)"

new_case native-uninstallable
echo 'libsdl2-dev' >"$FAKE/unavailable"
run_script
[ "$rc" != 0 ] || fail "a native package that cannot be installed must fail the script"
[ "$(calls_matching 'install.*wine')" = 0 ] || fail "went on to Wine after the native packages failed"

new_case kernel-without-32-bit
runs32=false
run_script
expect_rc 0
says "this machine cannot run 32-bit programs, so 32-bit Wine is left out"
[ "$(calls_matching 'wine32')" = 0 ] || fail "fetched 32-bit Wine for a kernel that cannot run it"
[ ! -s "$FAKE/arches" ] || fail "added the i386 architecture for nothing"
is_installed wine64

new_case only-wine32-missing-on-64-bit-kernel
echo "$native_all" >"$FAKE/installed"; printf 'wine\nwine64\n' >>"$FAKE/installed"
runs32=false
run_script
expect_rc 0
[ ! -s "$FAKE/calls" ] || fail "asked apt-get for something: $(cat "$FAKE/calls")"

[ $failures = 0 ] && echo "install-deps: all cases pass"
exit $((failures > 0))
