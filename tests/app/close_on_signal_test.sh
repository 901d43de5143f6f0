#!/usr/bin/env bash
# SIGTERM and SIGHUP (a session logging out) close the window as its close
# box does: zlc.cfg written, the scratch file deleted, exit status 0.
#   close_on_signal_test.sh path/to/zlc
set -u

zlc=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The windows' places are remembered in the user's settings store: a store
# of the test's own, so that no run changes the next.
export XDG_CONFIG_HOME=$work/config

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

for sig in TERM HUP; do
  rm -rf "$XDG_CONFIG_HOME"
  dir=$work/$sig
  mkdir "$dir"
  cd "$dir" || exit 1
  printf 'x\r\n' >variants
  QT_QPA_PLATFORM=offscreen "$zlc" >out 2>&1 &
  pid=$!
  # Start-up makes the logs; then the window is up and listening.
  for _ in $(seq 100); do
    [ -e resultsf.log ] && break
    sleep 0.05
  done
  sleep 0.3
  kill -"$sig" "$pid"
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "SIG$sig: still running after 5 s"
    kill -KILL "$pid"
  fi
  wait "$pid"
  rc=$?
  [ "$rc" -eq 0 ] || fail "SIG$sig: exit status $rc ($(head -c 300 out))"
  grep -q '^Defs = Ru' zlc.cfg 2>/dev/null || fail "SIG$sig: zlc.cfg not written"
  [ ! -e variants ] || fail "SIG$sig: the scratch file stayed"
  grep -q '^geometry=' "$XDG_CONFIG_HOME/zlc/zlc.conf" 2>/dev/null ||
    fail "SIG$sig: the window's place was not remembered"
  grep -q 'eometry' zlc.cfg && fail "SIG$sig: the window's place went into zlc.cfg"
done

# A zlc.cfg made read-only cannot be written at the close: said on standard
# error, not in a box that would keep a logging-out session waiting.
dir=$work/read-only
mkdir "$dir"
cd "$dir" || exit 1
printf 'Defs = Ru\r\n' >zlc.cfg
chmod 444 zlc.cfg
QT_QPA_PLATFORM=offscreen "$zlc" >out 2>&1 &
pid=$!
for _ in $(seq 100); do
  [ -e resultsf.log ] && break
  sleep 0.05
done
sleep 0.3
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
  fail "read-only zlc.cfg: still running 5 s after one SIGTERM"
  kill -KILL "$pid"
fi
wait "$pid"
grep -q '^zlc: I/O error 13$' out || fail "read-only zlc.cfg: not said on standard error ($(head -c 300 out))"
grep -q '^zlc: zlc.cfg: Permission denied$' out || fail "read-only zlc.cfg: no reason ($(head -c 300 out))"

[ "$failures" -eq 0 ] && echo "all checks passed"
exit $((failures > 0))
