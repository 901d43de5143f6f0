# shellcheck shell=bash disable=SC2034  # rc is for the sourcing script
# The common part of the headless tool's test scripts, sourced with the
# tool's path as $1: a private work folder, a working folder in it with no
# settings file of the caller, and a TMPDIR of its own, so that a scratch
# folder the tool leaves behind is seen.
tool=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/cwd" "$work/tmp"
cd "$work/cwd" || exit 1
export TMPDIR="$work/tmp"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# A check this machine cannot make (no mount namespaces, not root): said,
# and under CI, which runs as root where every check can be made, a failure.
cannot_check() {
  if [ "${CI:-}" = true ]; then
    fail "cannot be checked here: $*"
  else
    echo "skipped: $*"
  fi
}
# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
  [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

# Runs the tool; stdout in $work/out, stderr in $work/err, exit status in $rc
# (124 when it hangs).
run() {
  timeout 60 "$tool" "$@" >"$work/out" 2>"$work/err"
  rc=$?
}

# A run's stderr without the timing of its totals line, which differs from
# run to run: what a repeated run must repeat.
untimed() {
  sed -E 's/, seconds [0-9.]+, tries per second [0-9]+$//' "$1"
}
# The line of stderr that begins with WORD ("Results:", "Filtered:", "Totals:").
summary_line() {
  grep "^$1" "$2"
}

# The verdict, as the script's exit status.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}
