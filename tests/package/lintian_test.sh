#!/usr/bin/env bash
# lintian_test.sh PACKAGES-FOLDER: Debian's own checks find no error in the package. Its
# warnings and remarks are printed for the log; they do not fail the test.
set -euo pipefail
deb=$(ls "$1"/*.deb)
command -v lintian >/dev/null || { echo "skipped: lintian is not installed"; exit 77; }
report=$(lintian --display-info --fail-on none "$deb" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$report" ] || printf '%s\n' "$report"
if grep -q '^E: ' <<<"$report"; then
  echo "FAIL: lintian reports errors in $deb" >&2
  exit 1
fi
echo "lintian: no errors in $(basename "$deb")"
