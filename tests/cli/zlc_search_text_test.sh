#!/usr/bin/env bash
# Text comes in as the user wrote it: UTF-8 files and command lines, or
# Windows-1251 when said so; no byte the user did not type becomes a task
# character, and what the task cannot take is told.
#   zlc_search_text_test.sh path/to/zlc-search
set -u

# shellcheck source=tests/cli/harness.sh
source "$(dirname "$0")/harness.sh"

# --- task files from a UTF-8 editor, and Windows-1251 ones -----------------
printf '** 6п **\n' >utf8.zlt
run --task-file utf8.zlt --dry-run
expect_eq "UTF-8 task file: exit status" 0 "$rc"
expect_eq "UTF-8 task file: the task" "** 6п ** |" "$(head -1 "$work/out")"
expect_eq "UTF-8 task file: its length" "Task (L=36/36)" "$(sed -n 2p "$work/out")"
expect_eq "UTF-8 task file: no message" "" "$(cat "$work/err")"
printf '\xef\xbb\xbfТб ** 9б\r\n' >bom.zlt
run --task-file bom.zlt --dry-run
expect_eq "UTF-8 with a byte-order mark" "Тб ** 9б |" "$(head -1 "$work/out")"
printf '\xd2\xe1 ** 9\xe1\r\n' >cp1251.zlt
run --task-file cp1251.zlt --dry-run
expect_eq "Windows-1251 task file" "Тб ** 9б |" "$(head -1 "$work/out")"
printf 'заметка = да\nRV = Many\n' >zlc.cfg
run --task "**" --dry-run
expect_eq "UTF-8 settings file" "GM:Random, RV:Many|" "$(sed -n 4p "$work/out")"
rm zlc.cfg

# --- command lines that are no UTF-8 ----------------------------------------
for typed in $'\xd2\xe1 **' $'\xd0 As'; do
  run --task "$typed" --seed 1 --results 1
  expect_eq "invalid UTF-8 task: exit status" 2 "$rc"
  expect_eq "invalid UTF-8 task: output bytes" 0 "$(wc -c <"$work/out")"
  expect_eq "invalid UTF-8 task: message" \
    "zlc-search: --task is not valid UTF-8 text (give --encoding cp1251 for a Windows-1251 terminal)" \
    "$(cat "$work/err")"
done
run --task "**" --set $'RV=\xcc\xed\xee\xe3\xee' --dry-run
expect_eq "invalid UTF-8 value: exit status" 2 "$rc"
grep -qx "zlc-search: --set RV is not valid UTF-8 text.*" "$work/err" || fail "invalid UTF-8 value: $(cat "$work/err")"
# A Windows-1251 terminal: its bytes are the task, and the output is its own.
run --task $'\xd2\xe1 ** 9\xe1' --encoding cp1251 --dry-run
expect_eq "cp1251 terminal: exit status" 0 "$rc"
expect_eq "cp1251 terminal: the task" $'\xd2\xe1 ** 9\xe1 |' "$(head -1 "$work/out")"
expect_eq "cp1251 terminal: no message" "" "$(cat "$work/err")"
run --task $'\xd2\xe1 **' --encoding cp1251 --output-encoding utf-8 --dry-run
expect_eq "cp1251 in, UTF-8 out" "Тб ** |" "$(head -1 "$work/out")"
# UTF-8 typed where Windows-1251 was promised reads as other letters: told.
run --task "Тб **" --encoding cp1251 --dry-run
grep -qx "zlc-search: --task looks like UTF-8 text, but --encoding cp1251 reads it as Windows-1251" "$work/err" ||
  fail "UTF-8 under --encoding cp1251: $(cat "$work/err")"
# A UTF-8 terminal writing a Windows-1251 file.
run --task "Тб **" --output-encoding cp1251 --dry-run
expect_eq "UTF-8 in, cp1251 out" $'\xd2\xe1 ** |' "$(head -1 "$work/out")"
expect_eq "UTF-8 in, cp1251 out: no message" "" "$(cat "$work/err")"

# --- a character Windows-1251 cannot hold is dropped, not a wildcard -------
run --task "Aß **" --seed 1 --results 1
expect_eq "Aß: exit status" 2 "$rc"
expect_eq "Aß: output bytes" 0 "$(wc -c <"$work/out")"
grep -qx "zlc-search: task incomplete: L=0/36" "$work/err" || fail "Aß: $(cat "$work/err")"
run --task "Aß **" --dry-run
expect_eq "Aß: no wildcard in the task" "|" "$(head -1 "$work/out")"
grep -q "^zlc-search: dropped '.*' from the task: no card letter, '\*' or '?' (Windows-1251 cannot hold it)$" \
  "$work/err" || fail "Aß: warning: $(cat "$work/err")"
printf 'Aß **\n' >sharp.zlt
run --task-file sharp.zlt --dry-run
expect_eq "Aß in a file: no wildcard" "|" "$(head -1 "$work/out")"

# --- tokens the task cannot take: warnings, or errors with --strict --------
run --task "Ad Ad ** 7s" --dry-run
expect_eq "duplicate: exit status" 0 "$rc"
expect_eq "duplicate: the task" "Ad ** 7s |" "$(head -1 "$work/out")"
expect_eq "duplicate: warning" "zlc-search: skipped 'Ad' in the task: the card is in it already" "$(cat "$work/err")"
run --task "Ad Ad ** 7s" --strict --seed 1 --results 1
expect_eq "duplicate, strict: exit status" 2 "$rc"
expect_eq "duplicate, strict: output bytes" 0 "$(wc -c <"$work/out")"
expect_eq "duplicate, strict: messages" "zlc-search: skipped 'Ad' in the task: the card is in it already
zlc-search: the task is not as written (--strict)" "$(cat "$work/err")"
run --task "6п Ad **" --dry-run
expect_eq "other notation: warning" "zlc-search: skipped 'Ad' in the task: no token of the Ru notation" "$(cat "$work/err")"
run --task "Ad ** 10s" --dry-run
expect_eq "a letter of neither alphabet: warnings" "zlc-search: dropped '10' from the task: no card letter, '*' or '?'
zlc-search: skipped 's' at the end of the task: a token has two characters" "$(cat "$work/err")"
run --task "6? 6? 6? 6? 6s **" --dry-run
expect_eq "no card left: warning" "zlc-search: skipped '6s' in the task: its other tokens took every card it could be" "$(cat "$work/err")"
run --task "Ad 7s. Kc **" --dry-run
expect_eq "text before a dot: warning" "zlc-search: ignored the task text up to its first '.': 'Ad 7s.'" "$(cat "$work/err")"
# A result line saved from the window opens silently, marks and number aside.
printf '%s\r\n   HB:(...)\r\n' \
  "7. <[Ad] 7s Kc> <Ah 9c Ks 6s 8s Xh 7c 8c Js 6h 6c Jh As Qs Jc 7d 7h 9s Xs Xc Jd Kh Xd 8h 9h Kd Qh Qd 8d Qc 6d Ac 9d>" \
  >result.txt
run --task-file result.txt --strict --dry-run
expect_eq "result line: exit status" 0 "$rc"
expect_eq "result line: no message" "" "$(cat "$work/err")"
expect_eq "result line: the task" "Task (L=36/36)" "$(sed -n 2p "$work/out")"
# Two gaps in a row are one gap, as in the window: nothing to tell.
run --task "** ** Ad" --strict --dry-run
expect_eq "repeated gap: exit status" 0 "$rc"
# A flood of skipped tokens is told by its start and a count.
run --task "6s $(printf '6s %.0s' {1..30})**" --dry-run
expect_eq "flood: lines told" 11 "$(wc -l <"$work/err")"
expect_eq "flood: the count" "zlc-search: 20 more parts of the task were skipped" "$(tail -1 "$work/err")"

# --- control characters in messages are shown, never sent -----------------
# ESC and BEL would retitle the terminal or ring; a CR or LF would forge a
# line. Whatever brought them, a message shows them as escapes.
# expect_shown WHAT MESSAGE: stderr is the one line MESSAGE, and holds no
# control byte but its line's end.
expect_shown() {
  expect_eq "$1: message" "$2" "$(cat "$work/err")"
  expect_eq "$1: control bytes" 0 "$(LC_ALL=C tr -d '\t\n -~\200-\377' <"$work/err" | wc -c)"
}
title=$'\e]0;PWNED\a'
printf '%s ** \n' "$title" >title.zlt
run --task-file - --dry-run <title.zlt
expect_shown "task file on stdin" \
  "zlc-search: dropped '\x1b]0;PWNED\x07' from the task: no card letter, '*' or '?'"
expect_eq "task file on stdin: the task" "** |" "$(head -1 "$work/out")"
printf 'rn_t = \e[2J\r\n' >clear.cfg
run --task "**" --config - --dry-run <clear.cfg
expect_shown "settings on stdin" "zlc-search: '\x1b[2J' is not a valid integer value"
cp clear.cfg zlc.cfg
run --task "**" --dry-run
expect_shown "zlc.cfg" "zlc-search: '\x1b[2J' is not a valid integer value"
rm zlc.cfg
run --task "**" --set $'RV=\e[2J\nzlc-search: forged' --dry-run
expect_shown "--set value" "zlc-search: bad value '\x1b[2J\x0azlc-search: forged' for RV (One or Many)"
run --task "**" --stats-json "$work/no$title/s.json" --results 1
expect_shown "--stats-json path" \
  "zlc-search: --stats-json '$work/no\x1b]0;PWNED\x07/s.json' is in a folder that does not exist: $work/no\x1b]0;PWNED\x07"
# C1 controls: a character of UTF-8 text, a lone byte of a path. On a
# Windows-1251 terminal 0x9b is a letter ("›") and stays; ESC does not.
run --task "**" --set $'RV=\u009b2J' --dry-run
expect_shown "C1 in UTF-8" "zlc-search: bad value '\u009b2J' for RV (One or Many)"
run --task "**" --config $'\x9b2J.cfg' --dry-run
expect_shown "a byte of no UTF-8 character" "zlc-search: cannot read \x9b2J.cfg: File not found: No such file or directory"
run --task "**" --encoding cp1251 --set $'RV=\x9b\e[2J' --dry-run
expect_eq "cp1251 terminal: message" $'zlc-search: bad value \'\x9b\\x1b[2J\' for RV (One or Many)' \
  "$(cat "$work/err")"

finish
