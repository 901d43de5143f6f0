#!/usr/bin/env bash
# The soak run under a virtual display (not part of CI):
#   bench/soak.sh [MINUTES] [TASK] [DEPTH] [off: no logs] [STACKS FILE]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if ! command -v Xvfb >/dev/null; then
  sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xvfb >/dev/null
fi
cmake --build "$here/build" --target zlc_soak >/dev/null
display=:$((80 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
sleep 1
DISPLAY=$display "$here/build/bench/zlc_soak" "${1:-10}" "${2:-** }" "${3:-1000}" "${4:-on}" "${5:-}"
