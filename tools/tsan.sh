#!/usr/bin/env bash
# The search's threads under clang's ThreadSanitizer: the engine's thread
# tests (block source, fast tries with 0 to 7 helpers, settings changed
# between batches, results analysed on a helper beside 1 to 63 others) built
# in build-tsan/ and run. Fails on a failing test and on the first data race
# reported.
#   tools/tsan.sh
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build-tsan

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" \
  -DZLC_BUILD_GUI=OFF -DZLC_BUILD_BENCH=OFF -DZLC_WARNINGS_AS_ERRORS=ON >/dev/null
cmake --build "$build" --target engine_thread_tests --parallel "$(nproc)"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}" \
  "$build/tests/engine_thread_tests" --gtest_brief=1
