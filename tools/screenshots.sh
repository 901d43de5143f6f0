#!/usr/bin/env bash
# Takes screenshots of the calculator's windows under a virtual X display:
#   tools/screenshots.sh [--lang en|ru] [--palette light|dark] [OUTDIR]
#   tools/screenshots.sh --all [OUTDIR]   every language and palette, each in
#                                         OUTDIR/LANG-PALETTE/
# OUTDIR defaults to screenshots/. Writes main-empty.png, main-window.png (a
# few results of the task "** 6п **" under a small filter),
# result-window.png (a listed result's window, a few steps into its
# collapse; result-window-start.png and result-window-end.png before the
# first step and after the last), statistics-window.png (View -> Statistics after a run of a few
# seconds),
# filter-dialog.png (that filter), hex-table.png, options.png, manual.png and
# about.png. The windows are reached with the keys a user has (F10 and the
# arrows for the menus), so that every language takes the same path.
# Russian is the interface of the ru_RU.UTF-8 locale; the dark palette is
# the desktop's, through GTK's dark Adwaita theme.
# Honours QT_SCALE_FACTOR (default 1): the windows grow by that factor, and so
# do the screen, the click positions and the crops.
# Needs xvfb, xdotool, x11-utils and imagemagick (and Qt's GTK theme for the dark
# palette); installs them when missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
lang=en
palette=light
all=
while [ $# -gt 0 ]; do
  case $1 in
    --lang) lang=$2; shift 2 ;;
    --palette) palette=$2; shift 2 ;;
    --all) all=1; shift ;;
    -*) echo "screenshots: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
out=$(realpath -m "${1:-$here/screenshots}")
case $lang in en | ru) ;; *) echo "screenshots: no language \"$lang\" (en, ru)" >&2; exit 2 ;; esac
case $palette in light | dark) ;; *) echo "screenshots: no palette \"$palette\" (light, dark)" >&2; exit 2 ;; esac
if [ -n "$all" ]; then
  for l in en ru; do
    for p in light dark; do bash "$0" --lang "$l" --palette "$p" "$out/$l-$p"; done
  done
  exit 0
fi
zlc=${ZLC_BIN:-$here/build/zlc}
factor=${QT_SCALE_FACTOR:-1}
mkdir -p "$out"

needed=(xvfb xdotool x11-utils imagemagick)
[ "$palette" = light ] || needed+=(qt6-gtk-platformtheme)
bash "$here/tools/install-missing.sh" "${needed[@]}" >&2

# The windows' titles, as the language has them.
if [ "$lang" = ru ]; then
  t_main="Калькулятор Zelt"; t_stats="^Статистика$"; t_filter="Настройки фильтра"
  t_hex="Таблица гексаграмм"; t_options="^Параметры$"; t_manual="^Руководство"; t_about="О программе ZLC"
  t_result="^Результат №"
  app_env=(LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 LANGUAGE=ru)
else
  t_main="Zelt calculator"; t_stats="^Statistics$"; t_filter="Filtering Settings"
  t_hex="Hex Table"; t_options="^Options$"; t_manual="manual$"; t_about="About ZLC"
  t_result="^Result #"
  app_env=(LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE=)
fi
if [ "$palette" = dark ]; then
  export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
else
  unset QT_QPA_PLATFORMTHEME GTK_THEME
fi

# A length in window pixels at the scale factor, rounded.
px() { awk -v n="$1" -v f="$factor" 'BEGIN { printf "%d", n * f + 0.5 }'; }

work=$(mktemp -d)
app=
xvfb=
# The program writes its settings as it ends: wait for it before removing
# its folder.
# The display is waited for too: a server still ending could take the
# socket of the next run's server, which may get the same display number.
trap '[ -z "$app" ] || { kill $app 2>/dev/null; wait $app 2>/dev/null; }
      [ -z "$xvfb" ] || { kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; }; rm -rf "$work"' EXIT
# Xvfb picks a free display itself and writes its number, so that two runs
# at the same time do not meet.
start_display() {
  rm -f "$work/display"
  Xvfb -displayfd 5 -screen 0 "$(px 1024)x$(px 768)x24" 5>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }
  # The windows the program remembers are kept away from the user's own.
  export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config
}
start_display

# The settings of the pictures: a filter that some results pass, and both
# autosave boxes ticked so that the logs tell how many results there are.
cd "$work"
printf '%s\r\n' "Defs = Ru" "rq_lf = 1" "lf_t = 14" "sm1 = 000100002" "rq_asa = 1" "rq_asf = 1" \
  >zlc.cfg
# The scale is set, not left to follow the desktop's font: the clicks below
# are measured at it. What it prints is kept, to be shown when a window does
# not come.
start_program() {
  env "${app_env[@]}" QT_SCALE_FACTOR="$factor" "$zlc" >"$work/zlc.out" 2>&1 &
  app=$!
}
start_program
# The first window whose title matches; gives up after 20 seconds (a program
# that did not start, a dialog that did not open) instead of waiting forever.
# Titles are compared as UTF-8 (_NET_WM_NAME): xdotool's own search reads the
# legacy title property and misses every title outside Latin-1.
# The first visible window whose title matches, looked for `tries` times
# five times a second; nothing when none showed.
find_window() {
  local id name
  for _ in $(seq "$2"); do
    kill -0 "$app" 2>/dev/null || return 0
    for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
      name=$(LC_ALL=C.UTF-8 xprop -id "$id" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
      if [[ $name =~ $1 ]]; then echo "$id"; return; fi
    done
    sleep 0.2
  done
}
window() {
  local id
  id=$(find_window "$1" 100)
  [ -n "$id" ] && { echo "$id"; return; }
  # The screen as it was, to see why.
  import -window root "$out/no-window.png" 2>/dev/null
  echo "screenshots: no window \"$1\" (the screen then: $out/no-window.png)" >&2
  # (Called in a subshell, which cannot wait for the program: its status
  # is told as the script ends.)
  kill -0 "$app" 2>/dev/null || echo "screenshots: the program had ended" >&2
  echo "screenshots: what the program printed:" >&2
  tail -n 40 "$work/zlc.out" >&2
  exit 1
}
# Waits until no visible window's title matches (at most ten seconds).
gone() {
  for _ in $(seq 50); do
    [ -z "$(find_window "$1" 1)" ] && return
    sleep 0.2
  done
}
# Once, under CI, the program ended with SIGABRT before its first window
# showed, on a machine where other tests start and end display servers at
# the same time; it was never seen again. Such an end is told with what the
# program printed, and the program is started once more on a new display.
# Any other failure, or a second such end, fails the run.
if [ -z "$(find_window "$t_main" 100)" ] && ! kill -0 "$app" 2>/dev/null; then
  status=0
  wait "$app" || status=$?
  app=
  echo "screenshots: the program ended (status $status) before its window showed; it printed:" >&2
  tail -n 40 "$work/zlc.out" >&2
  echo "screenshots: starting it once more, on a new display" >&2
  kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
  start_display
  start_program
fi
win=$(window "$t_main")
sleep 1
xdotool windowmove "$win" 0 0
sleep 0.5

# Saves the screen's rectangle WxH+X+Y.
shot() { sleep 0.7; import -window root -crop "$2" +repage "$out/$1.png"; }
# The rectangle of a window, as the crop above takes it.
area() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "${WIDTH}x${HEIGHT}+$X+$Y"
}
# The window's client area starts under the menu bar, whose height is where
# its first menu opens (F10).
menu_bar_height() {
  local id wy py
  wy=$(xdotool getwindowgeometry --shell "$win" | sed -n 's/^Y=//p')
  xdotool key F10; sleep 0.5
  for id in $(xdotool search --onlyvisible --pid "$app" 2>/dev/null); do
    [ "$id" = "$win" ] && continue
    py=$(xdotool getwindowgeometry --shell "$id" | sed -n 's/^Y=//p')
  done
  xdotool key Escape Escape; sleep 0.3
  [ -n "${py:-}" ] || { echo "screenshots: the File menu did not open" >&2; exit 1; }
  echo $(( py - wy ))
}
menu=$(menu_bar_height)
# A click at a point given in client coordinates at scale 1.
click() { xdotool mousemove "$(px "$1")" $(( $(px "$2") + menu )) click 1; sleep 0.2; }
lines() { [ -f "$1" ] && wc -l <"$1" || echo 0; }
# Opens a window with keys given to the main window (its task field
# clicked first). On a loaded machine the keys can come before a menu
# takes them: they are given again, from a closed menu, up to three times.
# A "/" among the keys waits for a menu to open.
open_with_keys() {
  local title=$1 id key
  shift
  for _ in 1 2 3; do
    click 100 152
    for key in "$@"; do
      if [ "$key" = / ]; then sleep 0.3; else xdotool key "$key"; sleep 0.1; fi
    done
    id=$(find_window "$title" 25)
    [ -n "$id" ] && { echo "$id"; return; }
    xdotool key Escape Escape; sleep 0.5
  done
  window "$title"
}

shot main-empty "$(area "$win")"

click 268 108          # the gap
click 20 24            # 6 of spades
click 268 108          # the gap again
# "step" until the filtered log holds two results (each is three lines).
for _ in $(seq 60); do
  click 390 174
  [ "$(lines resultsf.log)" -ge 6 ] && break
done
# A taller window, and the splitter moved down, show more of both lists.
xdotool windowsize "$win" "$(px 618)" $(( menu + $(px 520) ))
sleep 0.5
xdotool mousemove "$(px 300)" $(( menu + $(px 286) )) mousedown 1 \
  mousemove "$(px 300)" $(( menu + $(px 380) )) sleep 0.2 mouseup 1
xdotool mousemove "$(px 1000)" "$(px 750)"   # off the window: no hover, no tip
shot main-window "$(area "$win")"

# A result in its window: a click on a line of "All" in view and
# Enter, then four steps of its collapse with the arrow key.
click 300 222
xdotool key Return
result=$(window "$t_result")
sleep 0.5
xdotool mousemove "$(px 1000)" "$(px 750)"
shot result-window-start "$(area "$result")"
xdotool key Right Right Right Right
shot result-window "$(area "$result")"
xdotool key End
shot result-window-end "$(area "$result")"
xdotool key Escape; gone "$t_result"
click 100 152          # the task field: the main window takes the keys again

# A run (F5) of a few seconds with its statistics open (Ctrl+I), so that the
# pace shows; then the statistics are put out of the way of the dialogs'
# pictures and "Stop" is clicked.
xdotool key F5; sleep 0.5
xdotool key ctrl+i
stats=$(window "$t_stats")
sleep 4
shot statistics-window "$(area "$stats")"
xdotool windowunmap "$stats"; sleep 0.3
# "Stop", clicked again while the log still grows: on a busy machine the
# first click can come before the window takes it, and "Change" stays locked
# while a run goes on.
for _ in $(seq 5); do
  click 462 171        # "Stop"
  before=$(lines results.log)
  sleep 1
  [ "$(lines results.log)" -eq "$before" ] && break
done

click 573 117          # "Change": the filter dialog
dlg=$(window "$t_filter")
sleep 0.5
shot filter-dialog "$(area "$dlg")"
# "set" of the first suit, reached with Tab from the dialog's first control
# (the blocks stand where the face needs them): RV, the L(F) box and its
# tick, the criterion's tick, the suit's nine cards and its "clear".
xdotool key --delay 40 $(printf 'Tab %.0s' $(seq 14)) space
hex=$(window "$t_hex")
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$hex")"
xdotool mousemove $(( X + $(px 150) )) $(( Y + $(px 320) ))
shot hex-table "$(area "$hex")"
xdotool key Escape; gone "$t_hex"
xdotool key Escape; gone "$t_filter"

opt=$(open_with_keys "$t_options" F10 Right Return)            # "Options"
sleep 0.5
shot options "$(area "$opt")"
xdotool key Escape; gone "$t_options"

click 100 152          # the task field: the main window takes the keys again
xdotool key F1                                                 # Help -> "Manual"
manual=$(window "$t_manual")
sleep 1
shot manual "$(area "$manual")"
xdotool windowunmap "$manual"; sleep 0.3

# "Help", then its last entry, "About".
about=$(open_with_keys "$t_about" F10 Right Right Right / Up Return)
sleep 0.5
shot about "$(area "$about")"
xdotool key Escape; sleep 0.3
echo "screenshots in $out"
