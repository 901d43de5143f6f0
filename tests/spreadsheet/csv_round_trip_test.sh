#!/usr/bin/env bash
# Every CSV file the calculator writes, opened in a real spreadsheet and read
# back cell by cell: zlc-search --format csv, the results list's export, the
# statistics window's five tables, and rows of results with the fewest
# transits. LibreOffice Calc, without a display,
# imports each file as a user opening it gets it, saves the cells it made as
# a flat OpenDocument sheet, and compare_cells.py checks every cell against
# the text written.
#   csv_round_trip_test.sh path/to/zlc-search path/to/write_csv_files
set -u

here=$(cd "$(dirname "$0")" && pwd)
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
tool=$(absolute "$1")
writer=$(absolute "$2")

. "$here/../lib/require.sh"
# A missing program is a skip where tools/setup.sh test did not run, and a
# failure under CI.
require() {  # PROGRAM PACKAGE
  command -v "$1" >/dev/null || skip "$1 not found: install the package $2 (bash tools/install-missing.sh $2)"
}
require soffice libreoffice-calc-nogui
require python3 python3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/written"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# --- the files -----------------------------------------------------------------
# The tool in the En letters, the windows' files in Ru: both notations.
if ! (cd "$work" && timeout 120 "$tool" --task "**" --seed 31 --set Defs=En --set sd_t=12 \
  --set rq_lf=1 --set lf_t=8 --results 300 --format csv --quiet >"$work/written/search.csv"); then
  fail "zlc-search --format csv failed"
fi
mkdir "$work/windows"
timeout 120 "$writer" "$work/windows" || fail "the windows' CSV files were not written"
files=(list figures hexagrams lf balance p_values few_transits)
for name in "${files[@]}"; do
  cp "$work/windows/$name.csv" "$work/written/" || fail "$name.csv was not written"
done
files+=(search)

# --- the spreadsheet ----------------------------------------------------------
# Opens every written file with the import SETTINGS and saves each as .fods
# in OUTDIR. The first start of a new profile is slow and now and then ends
# without converting; a second try then works.
open_all() {  # SETTINGS OUTDIR
  local name missing paths=()
  for name in "${files[@]}"; do paths+=("$work/written/$name.csv"); done
  mkdir -p "$2"
  for _ in 1 2; do
    timeout -k 10 120 soffice -env:UserInstallation="file://$work/profile" --headless --norestore \
      --infilter="CSV:$1" --convert-to fods --outdir "$2" "${paths[@]}" \
      >"$work/soffice.log" 2>&1
    missing=0
    for name in "${files[@]}"; do [ -s "$2/$name.fods" ] || missing=1; done
    [ $missing -eq 0 ] && return 0
  done
  fail "LibreOffice did not open the files with $1: $(tail -3 "$work/soffice.log")"
  return 1
}

# Every file opened with the import settings SETTINGS, compared cell by cell.
check_all() {  # NAME SETTINGS
  local name
  open_all "$2" "$work/$1" || return
  for name in "${files[@]}"; do
    if ! python3 "$here/compare_cells.py" "$work/written/$name.csv" "$work/$1/$name.fods" \
      >"$work/differences"; then
      fail "$name.csv, opened with the settings $1, differs in $(wc -l <"$work/differences") cell(s):"
      head -8 "$work/differences" >&2
    fi
  done
}

# The import dialog's settings at the first start of Debian 12's LibreOffice
# (7.4): comma, semicolon and tab separate, double quotes delimit, UTF-8,
# neither "Evaluate formulas" nor "Detect special numbers". The language is
# English (USA), whose decimal point the files write.
check_all first_start "44/59/9,34,76,1,,1033,false,false,false,false,false,false,false"
# The same with those two boxes ticked, as the dialog keeps them once a user
# has: cells starting with "=" become formulas, times and dates are read.
check_all both_ticked "44/59/9,34,76,1,,1033,false,true,false,false,false,false,true"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
