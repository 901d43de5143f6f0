#!/usr/bin/env bash
# --replay: the collapses of a row of cards, step by step, in the notation of
# the settings, from cards typed in either notation or a result's line 1.
#   zlc_search_replay_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

en_deck="Ad 7s Kc Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d"
ru_deck="Тб 7п Кк Тч 9к Кп 6п 8п Xч 7к 8к Вп 6ч 6к Вч Тп Дп Вк 7б 7ч 9п Xп Xк Вб Кч Xб 8ч 9ч Кб Дч Дб 8б Дк 6б Тк 9б"

# Lines "N. CARD ..." numbered 1, 2, 3, ... in order, then "Remaining: ...";
# every card given is either one that leaves or one that remains, once.
# expect_replay WHAT STEPS REMAINING GIVEN-CARDS
expect_replay() {
  expect_eq "$1: exit status" 0 "$rc"
  expect_eq "$1: no message" "" "$(cat "$work/err")"
  expect_eq "$1: lines" "$(($2 + 1))" "$(wc -l <"$work/out")"
  expect_eq "$1: step numbers" "$(seq 1 "$2" | tr '\n' ' ')" \
    "$(head -n "$2" "$work/out" | sed -E 's/^([0-9]+)\. .*/\1/' | tr '\n' ' ')"
  expect_eq "$1: remainder" "Remaining: $3" "$(tail -n 1 "$work/out")"
  local gone
  gone=$(head -n "$2" "$work/out" | cut -d' ' -f2 | tr '\n' ' ')
  expect_eq "$1: every card once" "$(tr ' ' '\n' <<<"$4" | sort | tr '\n' ' ')" \
    "$(tr ' ' '\n' <<<"$gone$3" | sort | tr '\n' ' ')"
}

# --- the starting order, in either notation, printed in the settings' ------
run --replay "$en_deck" --set Defs=En
expect_replay "En starting order" 34 "Ac 9d" "$en_deck"
expect_eq "En: first collapse" "1. Kc (3) leaves: its suit matches 9c (5) across Ah (4)" "$(sed -n 1p "$work/out")"
expect_eq "En: second collapse" "2. Ad (1) leaves: its rank matches Ah (4) across 7s (2)" "$(sed -n 2p "$work/out")"
expect_eq "En: third collapse" "3. Ks (6) leaves: its suit matches 8s (8) across 6s (7)" "$(sed -n 3p "$work/out")"
cp "$work/out" "$work/en_replay"

run --replay "$ru_deck"
expect_replay "Ru starting order" 34 "Тк 9б" "$ru_deck"
expect_eq "Ru: first collapse" "1. Кк (3) leaves: its suit matches 9к (5) across Тч (4)" "$(sed -n 1p "$work/out")"
cp "$work/out" "$work/ru_replay"

# The letters out are the settings' whatever the letters in; spaces or none.
run --replay "$en_deck"
cmp -s "$work/out" "$work/ru_replay" || fail "En cards under Defs Ru: $(head -2 "$work/out")"
run --replay "${ru_deck// /}" --set Defs=En
cmp -s "$work/out" "$work/en_replay" || fail "Ru cards without spaces under Defs En: $(head -2 "$work/out")"
printf 'Defs = En\r\n' >zlc.cfg
run --replay "$ru_deck"
cmp -s "$work/out" "$work/en_replay" || fail "Defs En from zlc.cfg: $(head -2 "$work/out")"
rm zlc.cfg

reversed=$(tr ' ' '\n' <<<"$en_deck" | tac | tr '\n' ' ')
run --replay "$reversed" --set Defs=En
expect_eq "reversed: exit status" 0 "$rc"
expect_eq "reversed: 16 collapses" 16 "$(grep -c '^[0-9]*\. ' "$work/out")"
expect_eq "reversed: 20 cards left" 21 "$(tail -n 1 "$work/out" | wc -w)"

# --- partial rows ------------------------------------------------------------
run --replay "6s 7d 8s 9d 6h" --set Defs=En
expect_replay "five cards" 2 "8s 9d 6h" "6s 7d 8s 9d 6h"
expect_eq "five cards: a rank or a suit" \
  "1. 6s (1) leaves: its suit matches 8s (3) across 7d (2)
2. 7d (2) leaves: its suit matches 9d (4) across 8s (3)" "$(head -2 "$work/out")"
run --replay "6s 7d 6h 9c 7s" --set Defs=En
expect_eq "by rank" "1. 6s (1) leaves: its rank matches 6h (3) across 7d (2)" "$(head -1 "$work/out")"
run --replay "Xh" --set Defs=En
expect_replay "one card" 0 "Xh" "Xh"

# --- a result's line 1 pasted whole, marks and all ---------------------------
for marks in "rq_mt=1 rq_ms=2 rq_ds=0" "rq_mt=1 rq_ms=1 rq_ds=1" "rq_mt=0 rq_ms=0 rq_ds=0"; do
  sets=()
  for m in $marks; do sets+=(--set "$m"); done
  run --task "** Тч" --seed 5 --results 1 --quiet "${sets[@]}"
  expect_eq "search for line 1 ($marks)" 0 "$rc"
  line1=$(head -n 1 "$work/out")
  cards=$(python3 -c 'import re, sys; t = re.sub(r"[][<>! ]", "", sys.argv[1].split(". ", 1)[1]); print(" ".join(t[i:i + 2] for i in range(0, len(t), 2)))' "$line1")
  run --replay "$line1"
  expect_replay "pasted line 1 ($marks)" 34 "$(cut -d' ' -f35-36 <<<"$cards")" "$cards"
done
run --replay "12. <[6п] 9к Дп> <[9б]> <[Xб] Кч "
expect_replay "line 1 of six cards" 2 "Дп 9б Xб Кч" "6п 9к Дп 9б Xб Кч"

# --- JSON lines ---------------------------------------------------------------
run --replay "$en_deck" --set Defs=En --format jsonl
expect_eq "jsonl: exit status" 0 "$rc"
expect_eq "jsonl: first step" \
  '{"step":1,"card":"Kc","position":3,"matched":"9c","matched_position":5,"across":"Ah","across_position":4,"by":"suit","row":' \
  "$(head -1 "$work/out" | sed 's/"row":.*/"row":/')"
expect_eq "jsonl: remainder" '{"remaining":["Ac","9d"],"positions":[35,36],"converged":true}' "$(tail -n 1 "$work/out")"
# Each row is the one before without the card that left; the text says the same.
check=$(python3 - "$work/out" "$work/en_replay" "$en_deck" <<'PY'
import json, sys
objects = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
text = open(sys.argv[2], encoding="utf-8").read().splitlines()
row = sys.argv[3].split()
for number, (step, line) in enumerate(zip(objects[:-1], text), 1):
    assert step["step"] == number, step
    index = row.index(step["card"])
    assert row[index + 1:index + 3] == [step["across"], step["matched"]], step
    assert step["by"] in ("suit", "rank"), step
    assert line.startswith(f'{number}. {step["card"]} ({step["position"]}) '), line
    row.pop(index)
    assert step["row"] == row, step
assert objects[-1]["remaining"] == row and text[-1] == "Remaining: " + " ".join(row)
print("ok")
PY
)
expect_eq "jsonl: rows follow the steps" "ok" "$check"
run --replay $'\xd2\xe1 7\xef \xca\xea' --format jsonl --encoding cp1251
expect_eq "jsonl is UTF-8 on a cp1251 terminal" '{"remaining":["Тб","7п","Кк"],"positions":[1,2,3],"converged":false}' \
  "$(cat "$work/out")"

# --- encodings ------------------------------------------------------------------
run --replay $'\xd2\xe1 7\xef \xca\xea' --encoding cp1251
expect_eq "cp1251 in and out" $'Remaining: \xd2\xe1 7\xef \xca\xea' "$(cat "$work/out")"
run --replay "Тб 7п Кк" --output-encoding cp1251
expect_eq "cp1251 out" $'Remaining: \xd2\xe1 7\xef \xca\xea' "$(cat "$work/out")"

# --- text that is no row of distinct cards: exit 2, told, nothing printed -----
expect_refused() {
  run --replay "$1"
  expect_eq "'$1': exit status" 2 "$rc"
  expect_eq "'$1': output bytes" 0 "$(wc -c <"$work/out")"
  expect_eq "'$1': message" "zlc-search: --replay is no row of distinct cards: $2" "$(cat "$work/err")"
}
expect_refused "" "it names no card"
expect_refused "7. <> ! " "it names no card"
expect_refused "6s 7d 6s" "'6s' is there twice"
expect_refused "6s 7d 6п" "'6п' is there twice"
expect_refused "6s 7d 8" "'8' at the end is half a card"
expect_refused "6s s6" "'s6' is no card of either notation"
expect_refused "6s 7z" "'z' is no card letter"
expect_refused "6s ** 7d" "'*' is no card letter"
expect_refused "6s ß" "'�' is no card letter (Windows-1251 cannot hold it)"
expect_refused "Ad 7s." "'Ad 7s.' before the cards is no result's number"
run --replay $'\xd2\xe1 7\xef'
expect_eq "invalid UTF-8: exit status" 2 "$rc"
expect_eq "invalid UTF-8: message" \
  "zlc-search: --replay is not valid UTF-8 text (give --encoding cp1251 for a Windows-1251 terminal)" "$(cat "$work/err")"

# --- what a replay does not go with ---------------------------------------------
for other in "--task **" "--dry-run" "--seed 1" "--results 1" "--stats" "--bench"; do
  read -ra words <<<"$other"
  run --replay "6s 7d" "${words[@]}"
  expect_eq "--replay with $other: exit status" 2 "$rc"
  expect_eq "--replay with $other: message" \
    "zlc-search: --replay searches nothing: ${words[0]} does not go with it (see --help)" "$(cat "$work/err")"
done
run --replay "6s 7d" --format csv
expect_eq "--replay as csv: exit status" 2 "$rc"
expect_eq "--replay as csv: message" "zlc-search: --replay prints text or jsonl, not csv (see --help)" "$(cat "$work/err")"

finish
