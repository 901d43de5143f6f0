#!/usr/bin/env bash
# zlc-search --jobs: any count of threads finds the same results, line for
# line, as one thread; counts out of range are refused.
#   zlc_search_jobs_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

# Runs ARGS with --jobs 1 and with each count after it; the outputs and the
# captions must be the same.
same_for_jobs() {
  local counts=$1
  shift
  run "$@" --jobs 1
  expect_eq "exit status, $* --jobs 1" 0 "$rc"
  cp "$work/out" "$work/one"
  cp "$work/err" "$work/one_err"
  for jobs in $counts; do
    run "$@" --jobs "$jobs"
    expect_eq "exit status, $* --jobs $jobs" 0 "$rc"
    cmp -s "$work/out" "$work/one" || fail "$* --jobs $jobs: other results than one thread"
    [ "$(untimed "$work/err")" == "$(untimed "$work/one_err")" ] ||
      fail "$* --jobs $jobs: other counters than one thread"
  done
}

same_for_jobs "2 3 8" --task "**" --seed 11 --set sd_t=1000 --results 200
same_for_jobs "2 5" --task "6? ** ?h ** Ad" --seed 12 --set sd_t=100 --set RV=Many --results 200
same_for_jobs "2 3" --task "A? ** ?s 7? ** ?d ?? ** Kc" --seed 13 --set sd_t=10 --tries 200000
# Long enough for the helpers to be measured on and off several times.
same_for_jobs "2" --task "**" --seed 14 --set sd_t=100 --tries 2000000

for bad in 0 65 -1 x ""; do
  run --task "**" --results 1 --jobs "$bad"
  expect_eq "--jobs '$bad' exit status" 2 "$rc"
  grep -q "^zlc-search: .*--jobs" "$work/err" || fail "--jobs '$bad' message: $(cat "$work/err")"
done
run --task "**" --results 1 --jobs
expect_eq "--jobs without a count exit status" 2 "$rc"

finish
