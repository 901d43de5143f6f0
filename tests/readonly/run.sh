#!/usr/bin/env bash
# Runs the read-only working directory test in a folder this process cannot
# write to: a read-only bind mount in a mount namespace of its own when run as
# root (root ignores permission bits), plain permissions otherwise.
#   tests/readonly/run.sh TEST_BINARY
set -euo pipefail
test_binary=$1
dir=$(mktemp -d)
trap 'chmod 755 "$dir"; rm -rf "$dir"' EXIT
export ZLC_READONLY_DIR=$dir QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ]; then
  unshare --mount --propagation private \
    sh -c 'mount --bind -o ro "$ZLC_READONLY_DIR" "$ZLC_READONLY_DIR" && "$0"' "$test_binary"
  exit
fi
chmod 555 "$dir"
"$test_binary"
