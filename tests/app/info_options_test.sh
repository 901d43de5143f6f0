#!/usr/bin/env bash
# "zlc --help" and "zlc --version" answer on standard output and end, with
# no display to open a window on and no file made:
#   info_options_test.sh path/to/zlc
set -u

zlc=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# No display at all: a program that tried to open its window would fail.
run() {
  timeout 20 env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$zlc" "$@" >out 2>err
  rc=$?
}

run --help
[ "$rc" -eq 0 ] || fail "--help: exit status $rc ($(head -c 300 err))"
head -1 out | grep -q '^Usage: zlc ' || fail "--help: first line [$(head -1 out)]"
grep -q -- '--data-folder' out || fail "--help does not name --data-folder"
[ ! -s err ] || fail "--help wrote to stderr: $(head -c 300 err)"

run --version
[ "$rc" -eq 0 ] || fail "--version: exit status $rc"
grep -Eq '^zlc [0-9]+\.[0-9]+\.[0-9]+$' out || fail "--version printed [$(cat out)]"
[ "$(wc -l <out)" -eq 1 ] || fail "--version: more than one line"

# A reply that cannot be written is a failure, said on stderr.
timeout 20 env -u DISPLAY "$zlc" --version >/dev/full 2>err
rc=$?
[ "$rc" -eq 1 ] || fail "--version to a full disk: exit status $rc"
grep -q '^zlc: ' err || fail "--version to a full disk: stderr [$(cat err)]"

rm -f out err
leftovers=$(ls -A)
[ -z "$leftovers" ] || fail "files made in the working directory: $leftovers"

[ "$failures" -eq 0 ] && echo "all checks passed"
exit $((failures > 0))
