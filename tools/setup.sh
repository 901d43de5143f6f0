#!/usr/bin/env bash
# Set-up for a Debian 12 machine: installs what is missing, builds, then
# either starts the calculator ("run") or runs every test ("test").
#   tools/setup.sh run    build and start the calculator
#   tools/setup.sh test   build and run all tests with ctest, then the same
#                         tests under the address and undefined-behaviour
#                         sanitizers, then a short run of each fuzzer
set -euo pipefail

mode=${1:-run}
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZLC_BUILD_DIR:-$here/build}

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev qt6-l10n-tools qt6-tools-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev fonts-liberation2 fonts-dejavu-core clang-14 libclang-rt-14-dev)
# What the tests alone need, installed here and never by a test (tests run
# side by side and would compete for the package lock; under CI a test
# whose needs are missing fails): a virtual display with a window manager and
# its tools for the windows' tests, the screen reader's bus and bindings,
# LibreOffice Calc without a display and python to read the CSV files back.
if [ "$mode" = test ]; then
  packages+=(xvfb xdotool x11-utils imagemagick qt6-gtk-platformtheme
             dbus at-spi2-core python3-pyatspi libreoffice-calc-nogui python3)
fi

bash "$here/tools/install-missing.sh" "${packages[@]}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZLC_WARNINGS_AS_ERRORS=ON
fi
cmake --build "$build" --parallel "$(nproc)"

case "$mode" in
  run)
    exec "$build/zlc"
    ;;
  test)
    (cd "$build" && ctest --output-on-failure --parallel "$(nproc)")
    bash "$here/tools/sanitize.sh"
    bash "$here/tools/tsan.sh"
    bash "$here/fuzz/run.sh" "${ZLC_FUZZ_SECONDS:-30}"
    bash "$here/tools/package.sh"
    ;;
  *)
    echo "usage: tools/setup.sh run|test" >&2
    exit 2
    ;;
esac
