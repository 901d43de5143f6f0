# Sourced by the tests that need a display, a bus or programs beyond the
# build's. tools/setup.sh installs every one of them; a test never installs
# anything itself, since tests run side by side and would compete for the
# package lock.
#
# skip REASON: the test cannot run here (exit 77, which ctest shows as
# skipped) - except under CI (CI=true), where everything was installed and a
# missing piece is a fault: there it fails.
skip() {
  if [ "${CI:-}" = true ]; then
    echo "FAIL: $* (CI installs every test's needs: tools/setup.sh test)"
    exit 1
  fi
  echo "SKIP: $*"
  exit 77
}

# require_packages PACKAGE...: skips (as above), naming what is missing and
# how to install it.
require_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]} == 0)) ||
    skip "missing packages ${missing[*]} (bash tools/install-missing.sh ${missing[*]})"
}
