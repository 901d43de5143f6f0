#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for SECONDS
# on a scratch copy of its seed corpus (fuzz/corpus/<target>/ is not grown).
# Fails when a target finds a crash or a broken rule; the input is kept in
# build-fuzz/findings/<target>/.
#   fuzz/run.sh [SECONDS]   (default 30)
set -euo pipefail

seconds=${1:-30}
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build-fuzz
targets=(task_editor_fuzz config_fuzz task_file_fuzz line_reader_fuzz card_row_fuzz)

if [ ! -f "$build/CMakeCache.txt" ]; then
  # The targets' own project: the core sources they need, no window.
  CC=clang-14 CXX=clang++-14 cmake -S "$here/fuzz" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"

status=0
for t in "${targets[@]}"; do
  work=$build/work/$t
  findings=$build/findings/$t
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  cp "$here/fuzz/corpus/$t/"* "$work/"
  log=$build/$t.log
  echo "== $t: ${seconds}s"
  if (cd "$findings" && "$build/$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$work") >"$log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$log" || { echo "$t: no final run count" >&2; status=1; }
  else
    status=1
    echo "$t FAILED; log $log, input in $findings:" >&2
    grep -E 'ERROR|rule broken|runtime error|Test unit written' "$log" >&2 || tail -20 "$log" >&2
  fi
done
exit $status
