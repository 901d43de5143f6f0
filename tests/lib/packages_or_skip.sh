# Sourced by the display tests: installs the Debian packages they need when
# missing (as root, or through a sudo that asks no password), and otherwise
# skips the test with exit status 77 and the reason printed.
#   packages_or_skip PACKAGE...
packages_or_skip() {
  local missing=() p sudo=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  [ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
  { "${sudo[@]}" apt-get update -qq && "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
      apt-get install -y -qq "${missing[@]}"; } >/dev/null 2>&1 ||
    { echo "SKIP: cannot install ${missing[*]}"; exit 77; }
}
