#!/usr/bin/env bash
# The calculator as a screen reader sees it: starts a private session bus and
# a virtual display, runs the program with the accessibility bridge on, and
# walks the at-spi tree (atspi_tree.py): the card buttons' names, the result
# list's lines after a few steps (F6), the Hex Table's cells.
#   tests/a11y/atspi_tree.sh [path/to/zlc]
# Exits 77 with the reason printed where no bus or display can be started
# (fails in CI).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
zlc=$(realpath -m "${1:-$here/../../build/zlc}")
. "$here/../lib/require.sh"

[ -x "$zlc" ] || skip "no program at $zlc"
# The distribution's python, which the python3-pyatspi package installs into.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
require_packages dbus at-spi2-core python3-pyatspi xvfb xdotool
for tool in Xvfb xdotool; do command -v "$tool" >/dev/null || skip "no $tool"; done

if [ -z "${ZLC_ATSPI_INSIDE:-}" ]; then
  # Everything below runs on a bus of its own, gone when the test ends.
  ZLC_ATSPI_INSIDE=1 exec dbus-run-session -- bash "$0" "$zlc" || skip "no session bus"
fi

work=$(mktemp -d)
# Xvfb picks a free display itself and writes its number: a display chosen
# here could be taken by another test running at the same time.
Xvfb -displayfd 5 -screen 0 1024x768x24 5>"$work/display" >/dev/null 2>&1 &
xvfb=$!
app=
wm=
trap 'for p in $app $wm $xvfb; do kill $p 2>/dev/null; done; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || skip "no X display (Xvfb did not start)"
export DISPLAY=":$(head -1 "$work/display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
xdotool getmouselocation >/dev/null 2>&1 || skip "the X display $DISPLAY does not answer"
if command -v openbox >/dev/null; then openbox >/dev/null 2>&1 & wm=$!; fi

cd "$work"
"$zlc" >"$work/zlc.out" 2>&1 &
app=$!
"$python" "$here/atspi_tree.py" "$app"
status=$?
[ $status -eq 0 ] || { echo "program output:"; cat "$work/zlc.out"; }
exit $status
