#!/usr/bin/env bash
# Refreshes the manual's pictures, which the README and the AppStream
# metadata show too: docs/images/main-window.png, statistics-window.png and
# filter-dialog.png, from a fresh set of screenshots.
#   tools/doc-screenshots.sh
# Takes them at scale 1 whatever QT_SCALE_FACTOR says, so that the pictures
# keep their size in the manual.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
QT_SCALE_FACTOR=1 bash "$here/tools/screenshots.sh" "$shots" >/dev/null
mkdir -p "$here/docs/images"
for name in main-window statistics-window filter-dialog; do
  cp "$shots/$name.png" "$here/docs/images/$name.png"
done
echo "refreshed docs/images/main-window.png, statistics-window.png and filter-dialog.png"
