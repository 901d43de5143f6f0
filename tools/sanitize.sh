#!/usr/bin/env bash
# The core tests and the headless tool built with clang's address and
# undefined-behaviour sanitizers (CMakePresets.json, preset "asan", in
# build-asan/), then every test run. Fails on a failing test and on any
# sanitizer report, also one from a process whose exit status a test ignores.
#   tools/sanitize.sh
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
reports=$here/build-asan/sanitizer-reports

cmake --preset asan >/dev/null
cmake --build --preset asan --parallel "$(nproc)"

rm -rf "$reports"
mkdir -p "$reports"
# Every report also goes to a file of its own (name.pid).
export ASAN_OPTIONS="log_path=$reports/asan"
export UBSAN_OPTIONS="log_path=$reports/ubsan"
status=0
ctest --preset asan --parallel "$(nproc)" || status=$?

if compgen -G "$reports/*" >/dev/null; then
  echo "Sanitizer reports:" >&2
  for f in "$reports"/*; do
    echo "== $f" >&2
    cat "$f" >&2
  done
  status=1
fi
exit $status
