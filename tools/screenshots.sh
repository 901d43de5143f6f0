#!/usr/bin/env bash
# Takes screenshots of the calculator's windows under a virtual X display:
#   tools/screenshots.sh [OUTDIR]    (default: screenshots/)
# Needs xvfb, xdotool and imagemagick; installs them when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$here/screenshots}")
zlc=${ZLC_BIN:-$here/build/zlc}
mkdir -p "$out"

missing=()
for p in xvfb xdotool imagemagick; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; kill $app 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display
sleep 1

cd "$work"
"$zlc" >/dev/null 2>&1 &
app=$!
sleep 2
win=$(xdotool search --sync --name "Zelt calculator" | head -1)
xdotool windowmove "$win" 0 0
sleep 0.5
shot() { sleep 0.7; import -window root -crop "$2" +repage "$out/$1.png"; }

# Client area starts under the menu bar.
menu=$(( $(xdotool getwindowgeometry "$win" | awk '/Geometry/ {split($2,a,"x"); print a[2]}') - 358 ))
click() { xdotool mousemove "$1" $(( $2 + menu )) click 1; sleep 0.2; }

shot main-empty 640x400+0+0
click 268 108          # the gap
click 20 24            # 6 of spades
click 268 108          # the gap again
click 462 174          # Run
sleep 3
click 462 174          # Stop
shot main-results 640x400+0+0

click 573 117          # "Change": the filter dialog
dlg=$(xdotool search --sync --name "Filtering Settings" | head -1)
eval "$(xdotool getwindowgeometry --shell "$dlg")"
shot filter-dialog "560x340+$X+$Y"
xdotool mousemove $((X + 92)) $((Y + 195)) click 1   # "set" of the first suit
hex=$(xdotool search --sync --name "Hex Table" | head -1)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$hex")"
xdotool mousemove $((X + 150)) $((Y + 320))
shot hex-table "500x480+$X+$Y"
xdotool key Escape; sleep 0.3
xdotool key Escape; sleep 0.5

xdotool mousemove 62 $((menu / 2)) click 1           # "Options"
opt=$(xdotool search --sync --name "^Options$" | head -1)
eval "$(xdotool getwindowgeometry --shell "$opt")"
shot options "320x230+$X+$Y"
xdotool key Escape; sleep 0.5

xdotool mousemove 105 $((menu / 2)) click 1          # "Help"
sleep 0.3
xdotool mousemove 120 $((menu + 12)) click 1         # "About"
about=$(xdotool search --sync --name "About ZLC" | head -1)
eval "$(xdotool getwindowgeometry --shell "$about")"
shot about "430x165+$X+$Y"
xdotool key Escape; sleep 0.3
echo "screenshots in $out"
