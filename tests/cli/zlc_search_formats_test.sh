#!/usr/bin/env bash
# The tool's machine-readable output: the same run as text, CSV and JSON
# lines, compared result by result.
#   zlc_search_formats_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

common=(--task "6п ** Тч" --seed 31 --set rq_mt=1 --set rq_ms=2 --set sd_t=12
        --set rq_lf=1 --set lf_t=8 --results 300)

run "${common[@]}"
expect_eq "text exit status" 0 "$rc"
cp "$work/out" "$work/text"
run "${common[@]}" --format text
expect_eq "text format exit status" 0 "$rc"
cmp -s "$work/out" "$work/text" || fail "--format text differs from the default output"

# The first line of every block: its number and its cards without marks.
grep '^[0-9]' "$work/text" |
  sed -E 's/^([0-9]+)\. /\1,/; s/[][<>]//g; s/ +$//' >"$work/text_cards"
expect_eq "text blocks" 300 "$(wc -l <"$work/text_cards")"

# --- CSV ------------------------------------------------------------------------
run "${common[@]}" --format csv
expect_eq "csv exit status" 0 "$rc"
cp "$work/out" "$work/csv"
head -1 "$work/csv" | grep -q '^result,rn,tries,passed,cards,static,transit,' ||
  fail "csv header: $(head -1 "$work/csv")"
expect_eq "csv rows" 301 "$(wc -l <"$work/csv")"
expect_eq "rows ended by CR LF" 301 "$(grep -c $'\r$' "$work/csv")"
iconv -f UTF-8 -t UTF-8 "$work/csv" >/dev/null 2>&1 || fail "csv is not UTF-8"
tail -n +2 "$work/csv" | tr -d '\r' | awk -F, '{print $2 "," $5}' >"$work/csv_cards"
cmp -s "$work/csv_cards" "$work/text_cards" ||
  fail "csv cards differ from the text: $(diff "$work/csv_cards" "$work/text_cards" | head -3)"
expect_eq "csv result numbers" "$(seq 1 300 | tr '\n' ' ')" \
  "$(tail -n +2 "$work/csv" | cut -d, -f1 | tr '\n' ' ')"
# L(F): the text's "F(n)" and the row's lf column.
grep -o 'F([0-9]*)' "$work/text" | tr -dc '0-9\n' >"$work/text_lf"
tail -n +2 "$work/csv" | cut -d, -f9 >"$work/csv_lf"
cmp -s "$work/csv_lf" "$work/text_lf" || fail "csv lf differs from the text"
# The filter: L(F) at most 8 passes, and "passed" says so.
bad=$(tail -n +2 "$work/csv" | awk -F, '($9 <= 8) != ($4 == 1)' | wc -l)
expect_eq "passed agrees with L(F) <= 8" 0 "$bad"

run "${common[@]}" --format csv --only-filtered
expect_eq "only filtered, all passed" "" "$(tail -n +2 "$work/out" | cut -d, -f4 | grep -v '^1$')"

# --- JSON lines -----------------------------------------------------------------
run "${common[@]}" --format=jsonl
expect_eq "jsonl exit status" 0 "$rc"
expect_eq "json lines" 300 "$(wc -l <"$work/out")"
sed -E 's/^\{"result":[0-9]+,"rn":([0-9]+),.*"cards":\[([^]]*)\].*$/\1,\2/; s/"//g; s/,/ /2g' \
  "$work/out" >"$work/json_cards"
cmp -s "$work/json_cards" "$work/text_cards" ||
  fail "json cards differ from the text: $(diff "$work/json_cards" "$work/text_cards" | head -3)"
bad=$(grep -cv '^{.*}$' "$work/out")
expect_eq "every line one object" 0 "$bad"

# --- statistics -----------------------------------------------------------------
run "${common[@]}" --stats --stats-json "$work/stats.json" --quiet
expect_eq "stats exit status" 0 "$rc"
expect_eq "stats table results" "300" "$(awk '$1 == "results" && NF == 2 {print $2}' "$work/err")"
grep -q '^results per try  *0\.[0-9]*   95 % interval ' "$work/err" || fail "stats table: $(cat "$work/err")"
grep -q '^seed  *31 ' "$work/err" || fail "stats table seed: $(cat "$work/err")"
grep -q '^{"tries":[0-9]*,"results":300,"filtered":[0-9]*,' "$work/stats.json" ||
  fail "stats json: $(head -c 200 "$work/stats.json")"
# The filtered count is the rows that passed.
expect_eq "stats json filtered" "$(tail -n +2 "$work/csv" | cut -d, -f4 | grep -c '^1$')" \
  "$(sed -E 's/^.*"filtered":([0-9]+),.*$/\1/' "$work/stats.json")"

# --- usage ------------------------------------------------------------------------
run --task "**" --results 1 --format xml
expect_eq "unknown format exit status" 2 "$rc"
grep -q "^zlc-search: " "$work/err" || fail "unknown format message: $(cat "$work/err")"

finish
