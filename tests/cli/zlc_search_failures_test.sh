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
    cannot_check "no tmpfs can be mounted here"
  else
    rc=$(cat "$work/rc")
    expect_write_failure "full disk"
    grep -q 'No space left on device' "$work/err" || fail "full disk: reason: $(cat "$work/err")"
    [ "$(wc -c <"$work/found.txt")" -gt 30000 ] || fail "full disk: little written before the disk was full"
    check_blocks "full disk" "$work/found.txt"
  fi
else
  cannot_check "no user and mount namespace to be had"
fi

# --- a --stats-json file that cannot take the statistics -------------------
# expect_stats_refused WHAT MESSAGE: refused before the search (exit status
# 2, nothing on standard output), with "zlc-search: --stats-json MESSAGE".
expect_stats_refused() {
  expect_eq "$1: exit status" 2 "$rc"
  expect_eq "$1: output bytes" 0 "$(wc -c <"$work/out")"
  grep -qx "zlc-search: --stats-json $2" "$work/err" || fail "$1: message: $(cat "$work/err")"
  no_scratch_left "$1"
}

# The file that standard output or error goes to, by whatever name, would
# take the statistics in place of the results or the messages: refused, and
# the file keeps what it had.
printf 'kept\n' >"$work/taken"
ln -s taken "$work/taken-link"
for name in /dev/stdout "$work/taken" "$work/taken-link"; do
  timeout 10 "$tool" --task "**" --seed 1 --results 3 --format csv --quiet --stats-json "$name" \
    >>"$work/taken" 2>"$work/err"
  rc=$?
  tail -n +2 "$work/taken" >"$work/out"  # what this run added
  expect_stats_refused "results into $name" "'$name' is the file that standard output goes to: .*"
  expect_eq "results into $name: the file" kept "$(cat "$work/taken")"
done
timeout 10 "$tool" --task "**" --seed 1 --results 3 --stats-json /dev/stderr >"$work/out" 2>>"$work/taken"
rc=$?
tail -n +2 "$work/taken" >"$work/err"
expect_stats_refused "messages into /dev/stderr" "'/dev/stderr' is the file that standard error goes to: .*"
expect_eq "messages into /dev/stderr: the file kept" kept "$(head -1 "$work/taken")"
# Standard output into a pipe: no file to put the statistics in.
timeout 10 "$tool" --task "**" --seed 1 --results 3 --stats-json /dev/stdout 2>"$work/err" | cat >"$work/out"
rc=${PIPESTATUS[0]}
expect_stats_refused "results into a pipe" "'/dev/stdout' is no regular file"

# The file is written at the end of a search that may last hours: one that
# cannot take the statistics is refused before a search without a limit
# starts, and nothing is made or changed where it would go.
# endless_with_stats PATH: the search, stdout in $work/out, stderr in
# $work/err, exit status in $rc.
endless_with_stats() {
  timeout 10 "$tool" --task "**" --quiet --stats-json "$1" >"$work/out" 2>"$work/err"
  rc=$?
}
mkdir "$work/stats"
mkfifo "$work/stats/fifo"
printf 'old\n' >"$work/stats/old.json"
chmod 444 "$work/stats/old.json"
long=$(printf 'x%.0s' {1..250})  # no room for the temporary's suffix
before=$(ls -A "$work/stats")
while IFS='|' read -r what path message; do
  endless_with_stats "$path"
  expect_stats_refused "$what" "$message"
  expect_eq "$what: the folder left as it was" "$before" "$(ls -A "$work/stats")"
done <<CASES
no folder|$work/stats/none/s.json|'$work/stats/none/s.json' is in a folder that does not exist: $work/stats/none
a file for a folder|$work/stats/old.json/s.json|'$work/stats/old.json/s.json' is in no folder: $work/stats/old.json is no folder
a folder|$work/stats|'$work/stats' is a folder
a FIFO|$work/stats/fifo|'$work/stats/fifo' is no regular file
a device|/dev/null|'/dev/null' is no regular file
a read-only file|$work/stats/old.json|'$work/stats/old.json' is read-only
no name||takes a file name, not ''
too long a name|$work/stats/$long|'$work/stats/$long' is too long a name
CASES
expect_eq "a read-only file: its contents" old "$(cat "$work/stats/old.json")"
# Another user's link is not followed to write, as the final write would not.
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  ln -s s.json "$work/stats/theirs"
  chown -h nobody "$work/stats/theirs"
  endless_with_stats "$work/stats/theirs"
  expect_stats_refused "another user's link" "'$work/stats/theirs' leads through another user's link .*"
else
  cannot_check "another user's link needs root and the user nobody"
fi
# A folder where no file can be made, even by root: a read-only file system.
# And one that fills up during the search: the file fails at the end (exit
# status 1), left as it was, with no temporary beside it.
if unshare -Urm true 2>/dev/null; then
  # shellcheck disable=SC2016  # expanded by the inner shell
  unshare -Urm bash -c '
    [ -d "$1" ] && [ -x "$2" ] || exit 98
    mkdir "$1/ro" "$1/full" || exit 98
    mount -t tmpfs -o ro,size=64k zlc-test "$1/ro" && mount -t tmpfs -o size=64k zlc-test "$1/full" || exit 99
    timeout 10 "$2" --task "**" --quiet --stats-json "$1/ro/s.json" >"$1/ro-out" 2>"$1/ro-err"
    echo $? >"$1/ro-rc"
    head -c 1M /dev/zero >"$1/full/fill" 2>/dev/null
    timeout 60 "$2" --task "**" --seed 1 --results 3 --quiet --stats-json "$1/full/s.json" \
      >"$1/full-out" 2>"$1/full-err"
    echo $? >"$1/full-rc"
    ls -A "$1/full" >"$1/full-ls"' _ "$work" "$tool"
  case $? in
    99) cannot_check "no tmpfs can be mounted here" ;;
    98) fail "the namespace's folders could not be made" ;;
    *)
      rc=$(cat "$work/ro-rc")
      cp "$work/ro-out" "$work/out"
      cp "$work/ro-err" "$work/err"
      expect_stats_refused "a read-only file system" \
        "'$work/ro/s.json' is in a folder where no file can be made: $work/ro"
      expect_eq "full disk at the end: exit status" 1 "$(cat "$work/full-rc")"
      expect_eq "full disk at the end: results" 3 "$(grep -c '^[0-9]*\. ' "$work/full-out")"
      grep -qx "zlc-search: cannot write $work/full/s.json: I/O error 28: No space left on device" "$work/full-err" ||
        fail "full disk at the end: message: $(cat "$work/full-err")"
      expect_eq "full disk at the end: the folder" fill "$(cat "$work/full-ls")"
      ;;
  esac
else
  cannot_check "no user and mount namespace to be had"
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
