#!/usr/bin/env bash
# The window follows the desktop's font: on a virtual display whose desktop
# (GTK's settings) asks for a 16-point font the main window opens twice its
# drawn size; at 8 points, and with a scale the user set (QT_SCALE_FACTOR=1),
# at its drawn size; on a small screen never larger than the screen. The
# launcher's start-up notice still ends when the window shows, though a
# first look at the desktop's font comes before it.
#   tests/app/font_scale_test.sh path/to/zlc
# Exits 77 with the reason printed where its tools are missing (fails in CI).
set -uo pipefail
zlc=$(realpath -m "$1")

. "$(dirname "$0")/../lib/require.sh"
[ -x "$zlc" ] || skip "no program at $zlc"
require_packages xvfb xdotool x11-utils qt6-gtk-platformtheme
# A scale set in the caller's shell would decide every case below.
unset QT_SCALE_FACTOR DESKTOP_STARTUP_ID

work=$(mktemp -d)
xvfb=
app=
trap '[ -z "$app" ] || kill $app 2>/dev/null; [ -z "$xvfb" ] || kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Starts a display of WxH, the calculator on it with a desktop font of the
# given points and the environment given after it, and sets `width` to the
# main window's width once it shows. What the root window heard meanwhile is
# in $work/root.log. (Not run in a subshell: the trap must know the PIDs.)
run_at() {
  local size=$1 points=$2 id= watcher
  shift 2
  width=0
  rm -f "$work/display"
  Xvfb -displayfd 5 -screen 0 "${size}x24" 5>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || return
  export DISPLAY=:$(cat "$work/display")
  xev -root -event property >"$work/root.log" 2>&1 &
  watcher=$!
  rm -rf "$work/config" "$work/run"
  mkdir -p "$work/config/gtk-3.0" "$work/run"
  printf '[Settings]\ngtk-font-name = Sans %s\n' "$points" >"$work/config/gtk-3.0/settings.ini"
  (cd "$work/run" && exec env XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORMTHEME=gtk3 QT_QPA_PLATFORM=xcb \
     "$@" "$zlc" >/dev/null 2>&1) &
  app=$!
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --pid "$app" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  sleep 0.5
  [ -n "$id" ] && width=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p')
  kill "$app" "$watcher" 2>/dev/null; wait "$app" "$watcher" 2>/dev/null; app=
  kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; xvfb=
}

run_at 1600x1200 8 env
[ "$width" -eq 618 ] || fail "8 points: the window is $width pixels wide, not 618"
run_at 1600x1200 16 env DESKTOP_STARTUP_ID=zlc_font_scale_test
[ "$width" -eq 1236 ] || fail "16 points: the window is $width pixels wide, not 1236 (twice 618)"
grep -q '_NET_STARTUP_INFO' "$work/root.log" ||
  fail "16 points: the window did not tell the launcher that it came (the start-up notice)"
run_at 1600x1200 16 env QT_SCALE_FACTOR=1
[ "$width" -eq 618 ] || fail "16 points under QT_SCALE_FACTOR=1: the window is $width pixels wide, not 618"
# 1024 pixels hold the window one and a half times, not twice.
run_at 1024x768 16 env
[ "$width" -eq 927 ] || fail "16 points on a 1024x768 screen: the window is $width pixels wide, not 927"

[ "$failures" -eq 0 ] || exit 1
echo "the window follows the desktop's font"
