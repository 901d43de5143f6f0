#!/usr/bin/env bash
# Every text of the interface has its Russian translation: the texts are
# gathered from the sources afresh, into a copy of the translation file, and
# any that comes out unfinished fails the check with its text shown.
#   translations_complete.sh path/to/lupdate source-folder
set -u
lupdate=$1
src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$src/translations/zlc_ru.ts" "$work/zlc_ru.ts"
"$lupdate" -silent -no-obsolete -locations none -I "$src" "$src/ui" "$src/app" -ts "$work/zlc_ru.ts" ||
  { echo "FAIL: lupdate did not run"; exit 1; }
if ! cmp -s "$work/zlc_ru.ts" "$src/translations/zlc_ru.ts"; then
  echo "note: translations/zlc_ru.ts is behind the sources (ninja update_translations)"
fi
count=$(grep -c '<message>' "$work/zlc_ru.ts")
missing=$(grep -B2 -E 'type="unfinished"|<translation></translation>' "$work/zlc_ru.ts" | grep '<source>' | sed 's/ *<source>\(.*\)<\/source>/\1/')
if [ -n "$missing" ]; then
  echo "FAIL: texts without a Russian translation:"
  echo "$missing"
  exit 1
fi
[ "$count" -gt 0 ] || { echo "FAIL: no translatable text found"; exit 1; }
echo "all $count texts translated"
