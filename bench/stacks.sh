#!/usr/bin/env bash
# Turns the stacks a soak run wrote (its fifth argument) into function names
# and source lines, one stack after another:
#   bench/stacks.sh STACKS_FILE
set -euo pipefail
while IFS= read -r line; do
  case "$line" in
    "=="* | "--") echo "$line"; continue ;;
  esac
  # "binary(symbol+0xoffset)[address]" or "binary(+0xoffset)[address]"
  binary=${line%%(*}
  inside=${line#*(}; inside=${inside%%)*}
  if [[ $inside == +0x* && -f $binary ]]; then
    addr2line -f -C -i -p -e "$binary" "${inside#+}" | sed 's/^/  /'
  else
    echo "  $(echo "${inside%%+*}" | c++filt) (${binary##*/})"
  fi
done < "$1"
