#!/usr/bin/env bash
# The headless search tool's command line is read strictly: what it cannot
# take exactly as written is an error, never a silent other search.
#   zlc_search_arguments_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

# refused WHAT MESSAGE ARGS...: exit status 2, nothing on stdout, and the
# one line MESSAGE on stderr. The settings cases are dry runs, so that one
# taken by mistake costs no search.
refused() {
  local what=$1 message=$2
  shift 2
  run "$@"
  expect_eq "$what: exit status" 2 "$rc"
  expect_eq "$what: output bytes" 0 "$(wc -c <"$work/out")"
  expect_eq "$what: message" "$message" "$(cat "$work/err")"
}

# --- settings: an unknown key or a value the key does not take -------------
known="Defs, rq_mt, rq_ms, rq_ds, rn_t, sd_t, GM, RV, rq_lf, lf_t, rq_sm, sm1, sm2, sm3, sm4, rq_asa, rq_asf, rq_rnc, rq_hb, hb"
refused "unknown key" "zlc-search: unknown key 'foo' (known: $known)" --task "**" --set foo=bar --dry-run
refused "a key with a space" "zlc-search: unknown key 'rq mt' (known: $known)" --task "**" --set "rq mt=1" --dry-run
refused "no key" "zlc-search: unknown key '' (known: $known)" --task "**" --set =1 --dry-run
refused "Defs=Xx" "zlc-search: bad value 'Xx' for Defs (Ru or En)" --task "**" --set Defs=Xx --dry-run
refused "rq_ms=3" "zlc-search: bad value '3' for rq_ms (0, 1 or 2)" --task "**" --set rq_ms=3 --dry-run
refused "sd_t=abc" "zlc-search: bad value 'abc' for sd_t (a whole number up to 100000)" --task "**" --set sd_t=abc --dry-run
refused "sd_t past its bound" "zlc-search: bad value '100001' for sd_t (a whole number up to 100000)" \
  --task "**" --set sd_t=100001 --dry-run
refused "lf_t=256" "zlc-search: bad value '256' for lf_t (a whole number from 0 to 255)" --task "**" --set lf_t=256 --dry-run
refused "lf_t=-1" "zlc-search: bad value '-1' for lf_t (a whole number from 0 to 255)" --task "**" --set lf_t=-1 --dry-run
# A flag the file would read as 0 is no 0 typed on purpose.
refused "rq_mt=yes" "zlc-search: bad value 'yes' for rq_mt (0 or 1)" --task "**" --set rq_mt=yes --dry-run
refused "hb with a letter" "zlc-search: bad value '1x1111' for hb (six digits 0 or 1)" --task "**" --set hb=1x1111 --dry-run
refused "sm1 too short" "zlc-search: bad value '12' for sm1 (nine digits 0, 1 or 2)" --task "**" --set sm1=12 --dry-run
refused "RV=several" "zlc-search: bad value 'several' for RV (One or Many)" --task "**" --set RV=several --dry-run
refused "GM=Sequential" "zlc-search: bad value 'Sequential' for GM (Random)" --task "**" --set GM=Sequential --dry-run
refused "empty value" "zlc-search: bad value '' for rq_mt (0 or 1)" --task "**" --set rq_mt= --dry-run
refused "no =" "zlc-search: --set takes KEY=VALUE, not 'rq_mt' (see --help)" --task "**" --set rq_mt --dry-run
# Keys in any letter case, values as the file reads them.
run --task "**" --dry-run --set rv=many --set GM=random --set " rq_lf =1"
expect_eq "keys in any case: exit status" 0 "$rc"
expect_eq "keys in any case: filter" "GM:Random, RV:Many; L(F) <=8|" "$(sed -n 4p "$work/out")"
expect_eq "keys in any case: no message" "" "$(cat "$work/err")"

# --- the settings file keeps the window's tolerance -------------------------
printf 'foo = bar\r\nDefs = Xx\r\nrq_ms = 3\r\nsd_t = abc\r\nRV = Many\r\n' >zlc.cfg
run --task "**" --dry-run
expect_eq "tolerant file: exit status" 0 "$rc"
expect_eq "tolerant file: the good line applies" "GM:Random, RV:Many|" "$(sed -n 4p "$work/out")"
expect_eq "tolerant file: the bad number told" "zlc-search: 'abc' is not a valid integer value" "$(cat "$work/err")"
rm zlc.cfg

# --- negative whole numbers ---------------------------------------------------
# A depth of 0 or less shuffles nothing: the single gap's every result is the
# base deck, which converges at every try.
deck="Тб 7п Кк Тч 9к Кп 6п 8п Xч 7к 8к Вп 6ч 6к Вч Тп Дп Вк 7б 7ч 9п Xп Xк Вб Кч Xб 8ч 9ч Кб Дч Дб 8б Дк 6б Тк 9б "
for depth in 0 -1 -5; do
  run --task "**" --seed 1 --results 3 --set sd_t=$depth
  expect_eq "sd_t=$depth: exit status" 0 "$rc"
  expect_eq "sd_t=$depth: base deck each time" "1. $deck
2. $deck
3. $deck" "$(sed -n '1p;4p;7p' "$work/out")"
  expect_eq "sd_t=$depth: one try per result" "Results: ( RN / CN = 3 / 3 )" "$(summary_line Results: "$work/err")"
done
# A negative threshold clears after every result: each is number 1.
run --task "**" --seed 1 --results 4 --set rn_t=-1
expect_eq "rn_t=-1: exit status" 0 "$rc"
expect_eq "rn_t=-1: every result is number 1" "1.
1.
1.
1." "$(grep -o '^[0-9]*\.' "$work/out")"
expect_eq "rn_t=-1: cleared counters" "Results: ( RN / CN = 0 / 0 )" "$(summary_line Results: "$work/err")"
printf 'rn_t = -1\r\nsd_t = -1\r\n' >zlc.cfg
run --task "**" --seed 1 --results 2
expect_eq "negatives in the file: no message" "" "$(grep -v -e '^zlc-search: Seed:' -e '^Results:' -e '^Filtered:' -e '^Totals:' "$work/err")"
expect_eq "negatives in the file: cleared, base deck" "1. $deck" "$(sed -n 4p "$work/out")"
rm zlc.cfg

# --- --opt=value, for every option that takes a value -----------------------
run --task "**" --seed 1 --results 5 --set RV=Many
cp "$work/out" "$work/spaced"
run --task="**" --seed=1 --results=5 --set=RV=Many
expect_eq "--opt=value: exit status" 0 "$rc"
cmp -s "$work/out" "$work/spaced" || fail "--opt=value gave another search than --opt value"
run --task="**" --tries=2000 --filtered=1 --jobs=1 --encoding=cp1251 --output-encoding=utf-8 --seed=3
expect_eq "every option =: exit status" 0 "$rc"
run --bench=0.01
expect_eq "--bench=: exit status" 0 "$rc"
grep -q '^plain tries' "$work/out" || fail "--bench=0.01: $(cat "$work/out")"
refused "--bench= without seconds" "zlc-search: --bench takes a number of seconds, not '' (see --help)" --bench=
refused "a flag given a value" "zlc-search: option --quiet takes no value (see --help)" --task "**" --quiet=1
refused "--seed=-1" "zlc-search: option --seed takes a whole number, not '-1' (see --help)" --task "**" --seed=-1

# --- an option never takes the next option as its value ---------------------
refused "--task --results" \
  "zlc-search: option --task needs a value; one that begins with '-' is given as --task=VALUE (see --help)" \
  --task --results 5
refused "--seed -1" \
  "zlc-search: option --seed needs a value; one that begins with '-' is given as --seed=VALUE (see --help)" \
  --task "**" --seed -1
refused "value missing at the end" \
  "zlc-search: option --config needs a value; one that begins with '-' is given as --config=VALUE (see --help)" \
  --task "**" --config
# A task text that begins with "-" is given with "=": the "-" is no card
# character and goes.
run --task=-6? --dry-run
expect_eq "--task=-6?: exit status" 0 "$rc"
expect_eq "--task=-6?: the task" "6? |" "$(head -1 "$work/out")"

# --- "--" ends the options --------------------------------------------------
run --task "**" --dry-run --
expect_eq "-- at the end: exit status" 0 "$rc"
refused "a word after --" "zlc-search: unexpected argument '--dry-run' after -- (see --help)" --task "**" -- --dry-run
refused "an operand" "zlc-search: unknown argument 'Ad' (see --help)" --task "**" Ad

# --- "-" is standard input for --task-file and --config ---------------------
printf 'Ad ** 7s\r\nignored\r\n' | "$tool" --task-file - --dry-run >"$work/out" 2>"$work/err"
expect_eq "task from stdin: exit status" 0 "$?"
expect_eq "task from stdin" "Ad ** 7s |" "$(head -1 "$work/out")"
printf 'RV = Many\nrq_lf = 1\n' | "$tool" --config - --task "**" --dry-run >"$work/out" 2>"$work/err"
expect_eq "settings from stdin: exit status" 0 "$?"
expect_eq "settings from stdin" "GM:Random, RV:Many; L(F) <=8|" "$(sed -n 4p "$work/out")"
refused "both from stdin" "zlc-search: --task-file and --config cannot both read standard input (see --help)" \
  --task-file - --config -
# A file named "-" is read with a path: ./-
printf 'Kc **\n' >./-
run --task-file ./- --dry-run
expect_eq "a file named -" "Kc ** |" "$(head -1 "$work/out")"
rm ./-

finish
