#!/usr/bin/env bash
# The screenshot script, run for every language and palette: each run must
# find every window by its title in that language (it fails otherwise) and
# leave all its pictures; the dark pictures must be darker than the light
# ones, and the Russian ones must differ from the English.
#   tests/screens/screenshots_per_language.sh [path/to/zlc]
# Exits 77 with the reason printed where its tools are missing (fails in CI).
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
zlc=$(realpath -m "${1:-$here/build/zlc}")
fail() { echo "FAIL: $*"; exit 1; }

. "$(dirname "$0")/../lib/require.sh"
[ -x "$zlc" ] || skip "no program at $zlc"
require_packages xvfb xdotool x11-utils imagemagick qt6-gtk-platformtheme

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
ZLC_BIN=$zlc bash "$here/tools/screenshots.sh" --all "$out" || fail "the screenshot script failed"

pictures=(main-empty main-window result-window-start result-window result-window-end statistics-window filter-dialog hex-table options manual about)
for set in en-light en-dark ru-light ru-dark; do
  for p in "${pictures[@]}"; do
    f=$out/$set/$p.png
    [ -s "$f" ] || fail "no $set/$p.png"
    size=$(identify -format '%w %h' "$f") || fail "$set/$p.png is not a picture"
    read -r w h <<<"$size"
    ((w >= 200 && h >= 100)) || fail "$set/$p.png is only ${w}x$h"
  done
done
# How light a picture is on average, 0 to 1.
light() { convert "$1" -colorspace Gray -format '%[fx:mean]' info:; }
for lang in en ru; do
  for p in main-empty options about; do
    l=$(light "$out/$lang-light/$p.png")
    d=$(light "$out/$lang-dark/$p.png")
    awk -v l="$l" -v d="$d" 'BEGIN { exit !(d < l - 0.2) }' ||
      fail "$lang-dark/$p.png ($d) is not darker than $lang-light/$p.png ($l)"
  done
done
for p in main-empty options about; do
  cmp -s "$out/en-light/$p.png" "$out/ru-light/$p.png" && fail "ru-light/$p.png is the English picture"
done
echo "all $(( 4 * ${#pictures[@]} )) pictures taken"
