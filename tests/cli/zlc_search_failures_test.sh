#!/usr/bin/env bash
# The headless search tool when its output or its run is cut short: a full
# disk, a closed output, a reader that goes away, signals. Run by ctest:
#   zlc_search_failures_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

# check_blocks WHAT FILE: the file holds whole result blocks only: three
# lines each, "N. " first and two lines indented by three spaces, and the
# last line ends.
check_blocks() {
  [ -s "$2" ] || return 0
  [ -z "$(tail -c 1 "$2")" ] || fail "$1: the last line is cut short"
  awk 'NR % 3 == 1 && !/^[0-9]+\. / { bad = 1 } NR % 3 != 1 && !/^   / { bad = 1 }
       END { exit bad || NR % 3 != 0 }' "$2" || fail "$1: a block is torn"
}
# The number of results the counters on stderr report.
reported_results() {
  sed -nE 's/^Results: \( RN \/ CN = ([0-9]+) \/ [0-9]+ \)$/\1/p' "$1"
}
no_scratch_left() {
  [ -z "$(ls -A "$TMPDIR")" ] || fail "$1: scratch left in TMPDIR: $(ls -A "$TMPDIR")"
  rm -rf "${TMPDIR:?}"/*
}
# A failed write: exit status 1, the reason on stderr, no counters.
expect_write_failure() {
  expect_eq "$1: exit status" 1 "$rc"
  grep -q '^zlc-search: cannot write the results: ' "$work/err" || fail "$1: message: $(cat "$work/err")"
  grep -q '^Results:' "$work/err" && fail "$1: counters printed as after a search"
  no_scratch_left "$1"
}

# --- an output that takes nothing ------------------------------------------
set -f  # the words of $args are the options, "**" among them
for args in "--task ** --seed 1 --results 3" "--version" "--help" "--dry-run --task **"; do
  # shellcheck disable=SC2086
  "$tool" $args >/dev/full 2>"$work/err"
  rc=$?
  expect_write_failure "$args >/dev/full"
  # shellcheck disable=SC2086
  "$tool" $args >&- 2>"$work/err"
  rc=$?
  expect_write_failure "$args >&-"
done
set +f

# --- a disk that fills up ---------------------------------------------------
# 64 KB of tmpfs in a mount namespace of our own, where one may be had.
mkdir "$work/small"
if unshare -Urm true 2>/dev/null; then
  # shellcheck disable=SC2016  # expanded by the inner shell
  unshare -Urm bash -c '
    mount -t tmpfs -o size=64k zlc-test "$1" || exit 99
    "$2" --task "**" --seed 1 --set rq_rnc=0 --results 100000 >"$1/found.txt" 2>"$3/err"
    echo $? >"$3/rc"
    cp "$1/found.txt" "$3/found.txt"' _ "$work/small" "$tool" "$work"
  if [ $? -eq 99 ]; then
    echo "skipped: no tmpfs can be mounted here"
  else
    rc=$(cat "$work/rc")
    expect_write_failure "full disk"
    grep -q 'No space left on device' "$work/err" || fail "full disk: reason: $(cat "$work/err")"
    [ "$(wc -c <"$work/found.txt")" -gt 30000 ] || fail "full disk: little written before the disk was full"
    check_blocks "full disk" "$work/found.txt"
  fi
else
  echo "skipped: no user and mount namespace to be had"
fi

# --- a --stats table that goes nowhere --------------------------------------
# A --stats table that cannot be written is a failure, though the results
# went out whole; messages lost so fail nothing that was asked for.
"$tool" --task "**" --seed 1 --results 3 --quiet --stats >"$work/out" 2>/dev/full
expect_eq "--stats 2>/dev/full: exit status" 1 "$?"
expect_eq "--stats 2>/dev/full: results" 3 "$(grep -c '^[0-9]*\. ' "$work/out")"
"$tool" --task "**" --seed 1 --results 3 --quiet --stats >"$work/out" 2>&-
expect_eq "--stats 2>&-: exit status" 1 "$?"
"$tool" --task "**" --seed 1 --results 3 >"$work/out" 2>/dev/full
expect_eq "messages 2>/dev/full: exit status" 0 "$?"

# --- a reader that goes away ------------------------------------------------
# With SIGPIPE ignored by the caller, the search must end all the same.
(
  trap '' PIPE
  timeout 20 "$tool" --task "**" 2>"$work/err" | head -1 >/dev/null
  echo "${PIPESTATUS[0]}" >"$work/rc"
)
rc=$(cat "$work/rc")
expect_write_failure "SIGPIPE ignored"
grep -q 'Broken pipe' "$work/err" || fail "SIGPIPE ignored: reason: $(cat "$work/err")"
# With SIGPIPE as it comes, the tool still cleans up after itself.
"$tool" --task "**" 2>"$work/err" | head -1 >/dev/null
rc=${PIPESTATUS[0]}
expect_write_failure "closed pipe"

# --- signals while the output waits for a slow reader ----------------------
# retry N COMMAND...: the command every 0.05 s until it succeeds, N times at
# the most.
retry() {
  local left=$1
  shift
  until "$@"; do
    left=$((left - 1))
    [ "$left" -gt 0 ] || return 1
    sleep 0.05
  done
}
# interrupt_slow_reader HUP_TRAP LIMIT SIGNAL...: the tool, with SIGHUP as
# `trap HUP_TRAP HUP` leaves it, writes into a pipe whose reader waits; once
# its write waits for the reader, the signals are sent to it 0.2 s apart,
# and then the reader reads. Its stdout in $work/out, stderr in $work/err,
# exit status in $rc.
interrupt_slow_reader() {
  local hup=$1 limit=$2 pipeline
  shift 2
  rm -f "$work/pid" "$work/go"
  # shellcheck disable=SC2064  # the disposition is chosen now
  ( (trap - INT; trap "$hup" HUP; exec "$tool" --task "**" --seed 5 --set rq_rnc=0 --results "$limit" 2>"$work/err") &
    echo $! >"$work/pid"
    wait $!
    echo $? >"$work/rc") | (retry 200 test -s "$work/go"; cat >"$work/out") &
  pipeline=$!
  retry 200 test -s "$work/pid"
  # Until its write waits, where the kernel says so.
  retry 20 grep -qs pipe_write "/proc/$(cat "$work/pid")/wchan"
  for signal in "$@"; do
    kill -s "$signal" "$(cat "$work/pid")"
    sleep 0.2
  done
  echo go >"$work/go"
  wait "$pipeline"
  rc=$(cat "$work/rc")
}
# A signal this script was started with ignored cannot be given back to the
# tool, which keeps it ignored.
ignored_here() {
  local mask
  mask=$(sed -n 's/^SigIgn:[[:space:]]*//p' /proc/$$/status 2>/dev/null)
  [ -n "$mask" ] && [ $(((0x$mask >> ($(kill -l "$1") - 1)) & 1)) -eq 1 ]
}

# The first signal ends the search; all it found is written out whole, and
# the counters count exactly the printed blocks. The exit status tells the
# signal, as a shell reports a program it ended: 128 and its number.
for signal in INT TERM HUP; do
  if ignored_here "$signal"; then
    echo "skipped: SIG$signal is ignored here"
    continue
  fi
  interrupt_slow_reader - 100000 "$signal"
  expect_eq "SIG$signal: exit status" $((128 + $(kill -l "$signal"))) "$rc"
  check_blocks "SIG$signal" "$work/out"
  rn=$(reported_results "$work/err")
  expect_eq "SIG$signal: blocks printed" "$rn" "$(grep -c '^[0-9]*\. ' "$work/out")"
  [ -n "$rn" ] && [ "$rn" -lt 100000 ] || fail "SIG$signal: the search went on to $rn results"
  no_scratch_left "SIG$signal"
done
# A second one ends the program at once, and its scratch folder with it.
if ! ignored_here TERM; then
  interrupt_slow_reader - 100000 TERM TERM
  expect_eq "a second signal: exit status" $((128 + 15)) "$rc"
  no_scratch_left "a second signal"
fi
# A signal ignored by the caller (nohup) stays ignored: the search reaches
# its limit.
interrupt_slow_reader "" 1000 HUP
expect_eq "SIGHUP under nohup: exit status" 0 "$rc"
expect_eq "SIGHUP under nohup: results" 1000 "$(reported_results "$work/err")"
no_scratch_left "SIGHUP under nohup"

finish
