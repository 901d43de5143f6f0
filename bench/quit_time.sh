#!/usr/bin/env bash
# How long the calculator takes to end after "Quit" (not part of CI):
#   bench/quit_time.sh [SECONDS OF SEARCH] [DEPTH] [keep: never clear the lists]
# ZLC_BIN names another build of zlc to time.
# Starts the window under a virtual display as this script's own child, runs
# the task "**" for the given time, presses Ctrl+Q and prints the resident
# memory before and the milliseconds until the process has ended, as its
# parent sees it. (A process started in the background of a shell that has
# gone is reaped by whatever adopted it, which may take seconds more: that
# time is not the program's.)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-15}
depth=${2:-1000}
keep=${3:-}
bash "$here/tools/install-missing.sh" xvfb xdotool openbox
zlc=${ZLC_BIN:-$here/build/zlc}
[ -n "${ZLC_BIN:-}" ] || cmake --build "$here/build" --target zlc >/dev/null

work=$(mktemp -d)
display=:$((70 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
app=
trap 'kill $xvfb 2>/dev/null; [ -z "$app" ] || kill $app 2>/dev/null; rm -rf "$work"' EXIT
export DISPLAY=$display QT_QPA_PLATFORM=xcb
sleep 1
openbox >/dev/null 2>&1 &
sleep 1

cd "$work"
printf 'sd_t = %s\r\nrq_rnc = %s\r\n' "$depth" "$([ "$keep" = keep ] && echo 0 || echo 1)" >zlc.cfg
"$zlc" >/dev/null 2>&1 &
app=$!
win=$(timeout 20 xdotool search --sync --name "Zelt calculator" | head -1)
sleep 1
xdotool windowactivate --sync "$win"
xdotool windowmove --sync "$win" 0 0
sleep 0.5
# The gap button at its place in the window's layout (below the menu bar),
# then Run by its key.
xdotool mousemove --window "$win" $((256 + 12)) $((100 + 8 + 22)) click 1
sleep 0.3
xdotool key F5
sleep "$seconds"
[ -z "${ZLC_QUIT_SHOT:-}" ] || import -window root "$ZLC_QUIT_SHOT"
rss=$(awk '/VmRSS/ {print $2 / 1024 " MB"}' /proc/$app/status)
start=$(date +%s%N)
xdotool key ctrl+q
wait "$app" || true
end=$(date +%s%N)
app=
echo "resident before Quit: $rss; Quit to end: $(((end - start) / 1000000)) ms"
