#!/usr/bin/env bash
# Refreshes the manuals' pictures, which the README and the AppStream
# metadata show too: docs/images/main-window.png, statistics-window.png,
# filter-dialog.png and result-window.png for the English manual, the same names under
# docs/images/ru/ for the Russian one, each from a fresh set of screenshots.
#   tools/doc-screenshots.sh
# Takes them at scale 1 whatever QT_SCALE_FACTOR says, so that the pictures
# keep their size in the manual.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
for lang in en ru; do
  dest=$here/docs/images
  [ "$lang" = en ] || dest=$dest/$lang
  QT_SCALE_FACTOR=1 bash "$here/tools/screenshots.sh" --lang "$lang" "$shots/$lang" >/dev/null
  mkdir -p "$dest"
  for name in main-window statistics-window filter-dialog result-window; do
    cp "$shots/$lang/$name.png" "$dest/$name.png"
  done
done
echo "refreshed main-window.png, statistics-window.png, filter-dialog.png and result-window.png in docs/images and docs/images/ru"
