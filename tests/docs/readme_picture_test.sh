#!/usr/bin/env bash
# The README's picture is what scripts/make-readme-picture draws from this
# build's demo, byte for byte: readme_picture_test.sh SOURCE-DIR BUILD-DIR
set -euo pipefail
source=$1 build=$2
picture=docs/demo-contact-sheet.png
grep -qF "]($picture)" "$source/README.md" || { echo "FAIL: the README does not show $picture" >&2; exit 1; }
fresh=$(mktemp --suffix=.png)
trap 'rm -f "$fresh"' EXIT
ORB_BUILD_DIR=$build "$source/scripts/make-readme-picture" "$fresh" >/dev/null
if ! cmp -s "$fresh" "$source/$picture"; then
  echo "FAIL: $picture is out of date: run scripts/make-readme-picture and commit it" >&2
  exit 1
fi
echo "$picture is current"
