#!/usr/bin/env bash
# A run tells its seed and can be repeated from it; its summary counts what
# it did; its messages name the tool; its exit status says how it ended.
#   zlc_search_runs_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

# --- the clock's seed is told, and repeats the run byte for byte -----------
run --task "**" --results 20 --set rq_mt=1 --set rq_ms=2
expect_eq "clock seed: exit status" 0 "$rc"
seed=$(sed -n 's/^zlc-search: Seed: \([0-9]*\)$/\1/p' "$work/err")
[[ "$seed" =~ ^[0-9]+$ ]] || fail "no seed told: $(cat "$work/err")"
expect_eq "the seed comes first" "zlc-search: Seed: $seed" "$(head -1 "$work/err")"
cp "$work/out" "$work/first"
untimed "$work/err" >"$work/first_err"
run --task "**" --results 20 --set rq_mt=1 --set rq_ms=2 --seed "$seed"
cmp -s "$work/out" "$work/first" || fail "--seed $seed did not repeat the run"
[ "$(untimed "$work/err")" == "$(cat "$work/first_err")" ] || fail "--seed $seed: other counters"
expect_eq "a given seed is told too" "zlc-search: Seed: $seed" "$(head -1 "$work/err")"

# Copies started together search different runs.
for copy in 1 2 3 4 5 6 7 8; do
  "$tool" --task "**" --tries 0 >/dev/null 2>"$work/err$copy" &
done
wait
seeds=$(cat "$work"/err[1-8] | sed -n 's/^zlc-search: Seed: //p' | sort -u | wc -l)
expect_eq "eight copies, eight seeds" 8 "$seeds"

# --- the summary: the captions as the window shows them, then the totals ---
# With "Clear at RN > 5", the 6th and the 12th result clear the counters; the
# totals still count all twelve.
run --task "**" --seed 4 --results 12 --set rn_t=5
expect_eq "clearing: exit status" 0 "$rc"
expect_eq "clearing: blocks printed" 12 "$(grep -c '^[0-9]*\. ' "$work/out")"
expect_eq "clearing: numbers" "1 2 3 4 5 6 1 2 3 4 5 6" "$(grep -o '^[0-9]*\. ' "$work/out" | tr -d '. \n' | sed 's/./& /g;s/ $//')"
expect_eq "clearing: captions" "Results: ( RN / CN = 0 / 0 )
Filtered: 0" "$(summary_line Results: "$work/err"; summary_line Filtered: "$work/err")"
run --task "**" --seed 4 --results 12 --set rq_rnc=0
tries=$(summary_line Results: "$work/err" | sed -E 's/^Results: \( RN \/ CN = 12 \/ ([0-9]+) \)$/\1/')
[[ "$tries" =~ ^[0-9]+$ ]] || fail "no clearing: $(cat "$work/err")"
run --task "**" --seed 4 --results 12 --set rn_t=5
expect_eq "clearing: totals" "Totals: results 12, tries $tries, filtered 12" "$(untimed "$work/err" | tail -1)"
summary_line Totals: "$work/err" | grep -Eq ', seconds [0-9]+\.[0-9]{3}, tries per second [0-9]+$' ||
  fail "totals timing: $(summary_line Totals: "$work/err")"
expect_eq "summary lines in order" "zlc-search: Seed: 4
Results: ( RN / CN = 0 / 0 )
Filtered: 0
Totals: results 12, tries $tries, filtered 12" "$(untimed "$work/err")"
# Filtered, with a filter that lets some pass.
run --task "**" --seed 4 --results 30 --set sm1=100000000 --set rn_t=7
passed=$(summary_line Totals: "$work/err" | sed -E 's/.*, filtered ([0-9]+),.*/\1/')
[ "$passed" -gt 0 ] && [ "$passed" -lt 30 ] || fail "filtered total: $(summary_line Totals: "$work/err")"

# --- --quiet, --progress, --no-progress --------------------------------------
run --task "**" --seed 4 --results 5
cp "$work/out" "$work/loud"
run --task "**" --seed 4 --results 5 --quiet
expect_eq "quiet: exit status" 0 "$rc"
expect_eq "quiet: nothing on stderr" "" "$(cat "$work/err")"
cmp -s "$work/out" "$work/loud" || fail "quiet: other results"
run --task "Ad Ad **" --seed 4 --results 1 --quiet
expect_eq "quiet: warnings still" "zlc-search: skipped 'Ad' in the task: the card is in it already" "$(cat "$work/err")"
run --task "Ad" --quiet
expect_eq "quiet: errors still" "zlc-search: task incomplete: L=1/36" "$(cat "$work/err")"
run --task "**" --seed 4 --results 5 --progress
grep -q 'tries/s   RN 5   filtered 5' "$work/err" || fail "--progress: $(cat "$work/err")"
run --task "**" --seed 4 --results 5 --quiet --progress
grep -q 'tries/s' "$work/err" || fail "--quiet --progress: no progress"
grep -q '^Results:' "$work/err" && fail "--quiet --progress: a summary"
run --task "**" --seed 4 --results 5 --progress --no-progress
grep -q 'tries/s' "$work/err" && fail "--no-progress: progress shown"

# --- every message names the tool -------------------------------------------
: >"$work/all_err"
for args in "--task Ad" "--task ** --set foo=1" "--task-file missing.zlt" "--config missing.cfg --task **" \
  "--task ** --seed x" "--nonsense" "--task Ad,Ad,**,Zz --dry-run"; do
  # shellcheck disable=SC2086  # the words are the options
  (set -f; run $args; cat "$work/err" >>"$work/all_err")
done
[ -s "$work/all_err" ] || fail "no messages gathered"
grep -v '^zlc-search: ' "$work/all_err" && fail "a message without the tool's name"

# --- exit statuses -------------------------------------------------------------
run --task "**" --seed 1 --results 1
expect_eq "done" 0 "$rc"
run --task "Ad"
expect_eq "usage" 2 "$rc"
# A scratch folder cannot be made in a TMPDIR that is a file.
: >"$work/plain_file"
TMPDIR="$work/plain_file" timeout 60 "$tool" --task "**" --results 1 >"$work/out" 2>"$work/err"
expect_eq "failure" 1 "$?"
grep -q '^zlc-search: cannot make a scratch folder: ' "$work/err" || fail "failure: $(cat "$work/err")"
# Ctrl-C before a limit: 130, after the summary of what was found.
rm -f "$work/pid"
(
  (trap - INT; exec "$tool" --task "**" --seed 2 >"$work/out" 2>"$work/err") &
  echo $! >"$work/pid"
  wait $!
  echo $? >"$work/rc"
) &
until [ -s "$work/pid" ]; do sleep 0.05; done
sleep 0.5
kill -INT "$(cat "$work/pid")"
wait
expect_eq "SIGINT: exit status" 130 "$(cat "$work/rc")"
summary_line Totals: "$work/err" >/dev/null || fail "SIGINT: no summary: $(cat "$work/err")"
rn=$(summary_line Totals: "$work/err" | sed -E 's/^Totals: results ([0-9]+),.*/\1/')
expect_eq "SIGINT: results printed" "$rn" "$(grep -c '^[0-9]*\. ' "$work/out")"
[ -z "$(ls -A "$TMPDIR")" ] || fail "SIGINT: scratch left in TMPDIR"

finish
