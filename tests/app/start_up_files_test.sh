#!/usr/bin/env bash
# What the start reads besides zlc.cfg cannot stop it: a FIFO or a huge file
# as the windows' store, or a scale factor no screen holds, and a message
# box open at start-up still lets one SIGTERM close the window.
#   start_up_files_test.sh path/to/zlc
set -u

zlc=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Starts the calculator in a fresh folder with the given environment, waits
# for its window (start-up makes the logs), sends one SIGTERM and expects it
# gone within 5 s with status 0. Sets $dir.
run_case() {
  local name=$1
  shift
  dir=$work/$name
  mkdir -p "$dir" "$dir/config/zlc"
  cd "$dir" || exit 1
  [ -n "${prepare:-}" ] && eval "$prepare"
  (
    [ -n "${memory_limit:-}" ] && ulimit -v "$memory_limit"
    exec env XDG_CONFIG_HOME="$dir/config" QT_QPA_PLATFORM=offscreen "$@" "$zlc" >out 2>&1
  ) &
  local pid=$!
  for _ in $(seq 100); do
    [ -e resultsf.log ] && break
    sleep 0.05
  done
  [ -e resultsf.log ] || fail "$name: no start within 5 s ($(head -c 300 out))"
  sleep 0.5
  kill -TERM "$pid" 2>/dev/null
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$name: still running 5 s after one SIGTERM"
    kill -KILL "$pid"
  fi
  wait "$pid"
  local rc=$?
  [ "$rc" -eq 0 ] || fail "$name: exit status $rc ($(head -c 300 out))"
}

# A FIFO as the store: never opened (it would block for ever), left as it is.
prepare='mkfifo config/zlc/zlc.conf'
run_case fifo-store
[ -p config/zlc/zlc.conf ] || fail "fifo-store: the FIFO was replaced"
grep -q "not remembered.*zlc.conf: Not a regular file: a FIFO" out || fail "fifo-store: no warning ($(cat out))"

# A store of many megabytes is nothing of ours: not read, not rewritten.
prepare='head -c 8000000 /dev/zero | tr "\0" "x" >config/zlc/zlc.conf'
run_case huge-store
[ "$(stat -c %s config/zlc/zlc.conf)" -eq 8000000 ] || fail "huge-store: the store was rewritten"
grep -q "not remembered.*larger than any store" out || fail "huge-store: no warning ($(cat out))"

# A remembered size no screen holds: the window comes up at the screen's
# size (not gigabytes of it), and what is written back fits the screen.
prepare='printf "[MainWindow]\ngeometry=@Rect(0 0 100000 100000)\n" >config/zlc/zlc.conf'
memory_limit=2000000
run_case huge-geometry
memory_limit=
written=$(sed -n 's/^geometry=@Rect(\([-0-9]*\) \([-0-9]*\) \([0-9]*\) \([0-9]*\))/\3 \4/p' config/zlc/zlc.conf)
read -r w h <<<"${written:-0 0}"
{ [ "$w" -gt 0 ] && [ "$w" -le 4000 ] && [ "$h" -gt 0 ] && [ "$h" -le 4000 ]; } ||
  fail "huge-geometry: wrote back '$written'"

# A scale factor of a thousand, held to what the screen holds.
prepare=
memory_limit=2000000
run_case huge-scale QT_SCALE_FACTOR=1000
memory_limit=

# A message box up at start-up (a bad value in zlc.cfg): one SIGTERM closes
# the box and the window.
prepare='printf "sd_t = many\r\n" >zlc.cfg'
run_case message-box
grep -q '^sd_t = 1000' zlc.cfg || fail "message-box: zlc.cfg not written at the close"

[ "$failures" -eq 0 ] && echo "all checks passed"
exit $((failures > 0))
