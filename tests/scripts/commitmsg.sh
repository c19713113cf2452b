#!/usr/bin/env bash
# The commit-msg hook: a subject under 72 characters passes, one of 72 or more is refused.
#   tests/scripts/commitmsg.sh scripts/hooks/commit-msg
set -uo pipefail
hook="$1"
dir="$(mktemp -d)"
trap 'rm -rf "$dir"' EXIT
failures=0

# expect pass|fail DESCRIPTION: runs the hook on the message in $dir/msg.
expect() {
  local want="$1" what="$2" got=pass
  bash "$hook" "$dir/msg" >/dev/null 2>&1 || got=fail
  if [ "$got" != "$want" ]; then
    echo "FAILED: $what: expected $want, got $got" >&2
    failures=$((failures + 1))
  fi
}
chars() { printf "%${1}s" "" | tr ' ' "${2:-x}"; }

printf '%s\n\nA body line that is much longer than the subject may be, since only the subject counts here.\n' \
  "$(chars 71)" >"$dir/msg"
expect pass "71 characters and a long body"
printf '%s\n' "$(chars 72)" >"$dir/msg"
expect fail "72 characters"
printf '%s' "$(chars 90)" >"$dir/msg"
expect fail "90 characters without a newline"

# What the editor shows before the message (comments, blank lines) is not the subject.
printf '# Please enter the commit message\n\n%s\n# %s\n' "Short subject" "$(chars 100)" >"$dir/msg"
expect pass "comments around a short subject"
printf '# Please enter the commit message\n\n%s\n' "$(chars 80)" >"$dir/msg"
expect fail "a long subject after comments"

# Characters, not bytes: 71 accented letters are 142 bytes.
printf '%s\n' "$(printf 'é%.0s' $(seq 71))" >"$dir/msg"
expect pass "71 two-byte characters"
printf '%s\n' "$(printf 'é%.0s' $(seq 72))" >"$dir/msg"
expect fail "72 two-byte characters"
printf '%s\r\n\r\nbody\r\n' "$(chars 71)" >"$dir/msg"
expect pass "71 characters ending in CR LF"

[ $failures -eq 0 ] && echo "commit-msg hook: all cases pass"
exit $((failures > 0))
