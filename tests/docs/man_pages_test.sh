#!/usr/bin/env bash
# The manual pages cannot drift from the programs: every option that a --help
# shows (viewer's, orbellan's and each orbellan command's) and every orbellan
# command appears in the page. man_pages_test.sh BIN-DIR MAN-DIR
set -euo pipefail
bin=$1 man=$2
failed=0

# The page's words as a reader sees them: \- is a hyphen, font changes vanish.
page_text() { sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$1"; }
# The options in a help text: a dash or two and a name, not inside a word.
options_in() { grep -oE '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' | sed -E 's/^[^-]+//' | sort -u; }
# NAME PAGE-TEXT WORD: the word stands alone in the page.
expect_in() {
  if ! grep -qE -- "(^|[^[:alnum:]-])$3([^[:alnum:]-]|$)" <<<"$2"; then
    echo "FAIL: $1 does not mention $3" >&2
    failed=1
  fi
}

viewer_page=$(page_text "$man/viewer.1")
viewer_help=$("$bin/viewer" --help)
for option in $(options_in <<<"$viewer_help"); do expect_in "viewer(1)" "$viewer_page" "$option"; done
expect_in "viewer(1)" "$viewer_page" --help

orbellan_page=$(page_text "$man/orbellan.1")
orbellan_help=$("$bin/orbellan" --help)
commands=$(sed -n 's/^  orbellan \([a-z]*\).*/\1/p' <<<"$orbellan_help")
[ -n "$commands" ] || { echo "FAIL: orbellan --help lists no commands" >&2; exit 1; }
for command in $commands; do
  expect_in "orbellan(1)" "$orbellan_page" "$command"
  for option in $(options_in <<<"$("$bin/orbellan" "$command" --help)"); do
    expect_in "orbellan(1)" "$orbellan_page" "$option"
  done
done
for option in $(options_in <<<"$orbellan_help"); do expect_in "orbellan(1)" "$orbellan_page" "$option"; done

[ "$failed" = 0 ] && echo "the manual pages cover every option and command of the programs' help"
exit "$failed"
