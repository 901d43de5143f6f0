#!/usr/bin/env bash
# Checks of the headless search tool, run by ctest with the tool's path:
#   zlc_search_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

# --- five results of the single gap ----------------------------------------
run --task "**" --seed 1 --results 5
expect_eq "exit status" 0 "$rc"
expect_eq "printed lines" 15 "$(wc -l <"$work/out")"
expect_eq "blocks" 5 "$(grep -c '^[0-9]' "$work/out")"
expect_eq "first block number" "1." "$(head -1 "$work/out" | cut -d' ' -f1)"
expect_eq "last block number" "5." "$(sed -n 13p "$work/out" | cut -d' ' -f1)"
summary_line Results: "$work/err" | grep -Eq '^Results: \( RN / CN = 5 / [0-9]+ \)$' ||
  fail "results caption: $(cat "$work/err")"
expect_eq "filtered caption" "Filtered: 5" "$(summary_line Filtered: "$work/err")"
cp "$work/out" "$work/first"
cp "$work/err" "$work/first_err"

# --- a seed reproduces the run ---------------------------------------------
run --task "**" --seed 1 --results 5
cmp -s "$work/out" "$work/first" || fail "same seed, different results"
[ "$(untimed "$work/err")" == "$(untimed "$work/first_err")" ] || fail "same seed, different counters"
run --task "**" --seed 2 --results 5
cmp -s "$work/out" "$work/first" && fail "seeds 1 and 2 gave the same results"

# --- dry run ----------------------------------------------------------------
run --dry-run --task "Ad ** 7s ** Kc"
expect_eq "dry run exit status" 0 "$rc"
expect_eq "dry run task" "Ad ** 7s ** Kc |" "$(sed -n 1p "$work/out")"
expect_eq "dry run length" "Task (L=36/36)" "$(sed -n 2p "$work/out")"
expect_eq "dry run variants" "Variants : 34" "$(sed -n 3p "$work/out")"
expect_eq "dry run filter" "GM:Random, RV:One|" "$(sed -n 4p "$work/out")"

run --dry-run --task "Ad ** 7s ** Kc ** Ah ** 9c ** Ks ** 6s"
expect_eq "seven cards six gaps" "Variants : 278256" "$(sed -n 3p "$work/out")"

run --dry-run --task ""
expect_eq "empty task exit status" 0 "$rc"
expect_eq "empty task text" "|" "$(sed -n 1p "$work/out")"
expect_eq "empty task length" "Task (L=0/36)" "$(sed -n 2p "$work/out")"
expect_eq "empty task variants" "Variants : " "$(sed -n 3p "$work/out")"

run --dry-run --task "**" --set RV=Many
expect_eq "RV set" "GM:Random, RV:Many|" "$(sed -n 4p "$work/out")"

# --- refusals ---------------------------------------------------------------
run --task "Ad 7s Kc" --seed 1 --results 1
expect_eq "incomplete task exit status" 2 "$rc"
grep -qx 'zlc-search: task incomplete: L=3/36' "$work/err" || fail "incomplete task message: $(cat "$work/err")"
expect_eq "incomplete task output" 0 "$(wc -c <"$work/out")"

run --task "**" --no-such-option
expect_eq "unknown option exit status" 2 "$rc"
run --task "**" --seed minus-one
expect_eq "bad number exit status" 2 "$rc"
run --task "**" --encoding latin1
expect_eq "bad encoding exit status" 2 "$rc"
run --task "**" --seed
expect_eq "missing value exit status" 2 "$rc"

# --- a limit of 0 searches nothing ----------------------------------------
for limit in --results --tries --filtered; do
  run --task "**" --seed 1 "$limit" 0
  expect_eq "$limit 0 exit status" 0 "$rc"
  expect_eq "$limit 0 output bytes" 0 "$(wc -c <"$work/out")"
  expect_eq "$limit 0 counters" "zlc-search: Seed: 1
Results: ( RN / CN = 0 / 0 )
Filtered: 0
Totals: results 0, tries 0, filtered 0" "$(untimed "$work/err")"
done
# Its statistics tell the seed given, with which --seed repeats it.
run --task "**" --seed 77 --tries 0 --stats --stats-json "$work/stats.json" --quiet
expect_eq "--tries 0 statistics: exit status" 0 "$rc"
expect_eq "--tries 0 statistics: the file's seed" '"seed":77' "$(grep -o '"seed":[^,]*' "$work/stats.json")"
grep -q '^seed  *77 ' "$work/err" || fail "--tries 0 statistics: the table's seed: $(grep '^seed' "$work/err")"
# A measurement without a finite length is refused like any wrong number.
for seconds in nan inf; do
  timeout 20 "$tool" --bench "$seconds" >"$work/out" 2>"$work/err"
  expect_eq "--bench $seconds exit status" 2 "$?"
  grep -q "^zlc-search: --bench takes a number of seconds, not '$seconds'" "$work/err" ||
    fail "--bench $seconds message: $(cat "$work/err")"
done

# --- encodings --------------------------------------------------------------
run --task "**" --seed 1 --results 1 --encoding cp1251
expect_eq "cp1251 exit status" 0 "$rc"
# "1. " and 36 cards of two single-byte letters and a space each.
expect_eq "cp1251 line 1 bytes" 111 "$(head -1 "$work/out" | tr -d '\n' | wc -c)"
cp "$work/out" "$work/cp1251"
run --task "**" --seed 1 --results 1
iconv -f CP1251 -t UTF-8 "$work/cp1251" >"$work/converted" || fail "cp1251 output does not convert"
cmp -s "$work/converted" "$work/out" || fail "cp1251 output differs from the UTF-8 output"
head -1 "$work/out" | grep -q 'п' || fail "no Cyrillic suit letter in UTF-8 output"

# The measurement names the task in the output's encoding too.
run --bench 0.01 --task "6п **"
head -1 "$work/out" | grep -q "^task \"6п \*\* \"" || fail "bench task line: $(head -1 "$work/out")"

# --- the variants mode ------------------------------------------------------
run --task "Ad ** 7s ** Kc" --seed 9 --results 5
cp "$work/out" "$work/one"
run --task "Ad ** 7s ** Kc" --seed 9 --results 5 --set RV=Many
expect_eq "RV=Many exit status" 0 "$rc"
expect_eq "RV=Many lines" 15 "$(wc -l <"$work/out")"
# Every result keeps Ad first and Kc last; with a fresh variant per batch
# the run takes other draws than with one variant.
expect_eq "RV=Many first cards" 5 "$(grep -c '^[0-9]*\. Ad .* Kc $' "$work/out")"
cmp -s "$work/out" "$work/one" && fail "RV=Many gave the same results as RV=One"

# --- only the filtered results ----------------------------------------------
# sm1 = 100000000: the six of the first suit must be a static element. With
# static elements marked by "!", a passing block shows "6п!".
run --task "**" --seed 4 --results 30 --set rq_ms=1
cp "$work/out" "$work/all"
awk 'NR % 3 == 1 && /6п!/ { print; getline; print; getline; print }' "$work/all" >"$work/expected"
run --task "**" --seed 4 --results 30 --set rq_ms=1 --set sm1=100000000 --only-filtered
expect_eq "only-filtered exit status" 0 "$rc"
passed=$(grep -c '^[0-9]' "$work/out")
[ "$passed" -gt 0 ] && [ "$passed" -lt 30 ] || fail "only-filtered printed $passed of 30 blocks"
cmp -s "$work/out" "$work/expected" || fail "only-filtered did not print exactly the blocks with 6п!"
expect_eq "only-filtered caption" "Filtered: $passed" "$(summary_line Filtered: "$work/err")"

# --- a budget of tries ------------------------------------------------------
run --task "**" --seed 7 --tries 3000
expect_eq "tries exit status" 0 "$rc"
cn=$(summary_line Results: "$work/err" | sed -E 's/^Results: \( RN \/ CN = [0-9]+ \/ ([0-9]+) \)$/\1/')
rn=$(summary_line Results: "$work/err" | sed -E 's/^Results: \( RN \/ CN = ([0-9]+) \/ [0-9]+ \)$/\1/')
[[ "$cn" =~ ^[0-9]+$ ]] && [ "$cn" -ge 3000 ] && [ "$cn" -lt 4000 ] || fail "tries: CN $cn"
expect_eq "tries: blocks printed" "$rn" "$(grep -c '^[0-9]' "$work/out")"
cp "$work/out" "$work/short"
run --task "**" --seed 7 --tries 9000
head -n "$(wc -l <"$work/short")" "$work/out" | cmp -s - "$work/short" ||
  fail "a budget of tries did not stop the same run earlier"
[ "$(wc -l <"$work/out")" -gt "$(wc -l <"$work/short")" ] || fail "longer budget, no more results"
# The batch of the result before the last one ended short of the budget.
run --task "**" --seed 7 --results $((rn - 1))
earlier=$(summary_line Results: "$work/err" | sed -E 's/^Results: \( RN \/ CN = [0-9]+ \/ ([0-9]+) \)$/\1/')
[[ "$earlier" =~ ^[0-9]+$ ]] && [ "$earlier" -lt 3000 ] || fail "tries: ran on past $earlier tries"

# --- a saved configuration is in force --------------------------------------
printf 'Defs = En\r\nrq_lf = 1\r\nlf_t = 9\r\nsm1 = 000000002\r\n' >zlc.cfg
run --task "Ad ** 6?" --dry-run
expect_eq "configured dry run" "Ad ** 6? |
Task (L=36/36)
Variants : 1
GM:Random, RV:One; L(F) <=9|
H(s)=#?  (?????1);   M(s)={A};    |" "$(cat "$work/out")"
run --task "**" --dry-run --set lf_t=12 --set rq_sm=0
expect_eq "--set after the file" "GM:Random, RV:One; L(F) <=12|" "$(sed -n 4p "$work/out")"
# A typed task without letters keeps the configured notation; results in En.
run --task "**" --seed 3 --results 1
head -1 "$work/out" | grep -q '[sdch] ' || fail "En results for an En configuration: $(head -1 "$work/out")"
rm zlc.cfg

# --- nothing left behind ----------------------------------------------------
[ -z "$(ls -A "$work/tmp")" ] || fail "scratch left in TMPDIR: $(ls -A "$work/tmp")"
[ -e "$work/cwd/variants" ] && fail "scratch file written to the working folder"

finish
