#!/usr/bin/env bash
# Builds the Debian package and checks it: installs what is missing, validates
# the desktop entry and the AppStream metainfo, builds a Release configuration
# in build-package/ (the window and the headless tool, no tests) and runs
# cpack, unpacks the package into a scratch folder and runs zlc-search from
# there, checks that every installed file is in it, and runs lintian, which
# must report no errors. Leaves build-package/zlc_<version>_<arch>.deb.
#   tools/package.sh
#   ZLC_PACKAGE_BUILD_DIR=... tools/package.sh    another build folder
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
build=${ZLC_PACKAGE_BUILD_DIR:-$here/build-package}
id=io.github.zlc.Calculator

packages=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-charts-dev qt6-l10n-tools qt6-tools-dev libgl-dev file dpkg-dev
          desktop-file-utils appstream lintian)

bash "$here/tools/install-missing.sh" "${packages[@]}"

fail() {
  echo "package: $*" >&2
  exit 1
}

# --- the metadata -------------------------------------------------------------
echo "== desktop-file-validate"
out=$(desktop-file-validate "$here/packaging/$id.desktop" 2>&1) || fail "desktop entry: $out"
[ -z "$out" ] || fail "desktop entry: $out"
echo "== appstreamcli validate"
appstreamcli validate --no-net --strict "$here/packaging/$id.metainfo.xml"

# --- the package --------------------------------------------------------------
echo "== build ($build)"
# Release at -O2, the level the tests run at (the search's inner loops have
# their own -O3; GCC 12 at -O3 also warns falsely about std::string), with
# Debian's hardening: checked libc calls, read-only relocations bound at start.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro,-z,now" \
  -DZLC_BUILD_GUI=ON -DZLC_BUILD_TESTS=OFF -DZLC_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
deb=$build/zlc_${version}_$(dpkg --print-architecture).deb
rm -f "$deb"
(cd "$build" && cpack -G DEB >/dev/null)
[ -f "$deb" ] || fail "cpack made no $deb"
echo "Built $deb"

# Every place that names the version names this one.
grep -q "<release version=\"$version\"" "$here/packaging/$id.metainfo.xml" ||
  fail "the metainfo has no release $version"
[ "$(head -1 "$here/packaging/changelog")" == "zlc ($version) unstable; urgency=medium" ] ||
  fail "the changelog does not start with version $version"
for page in zlc.1 zlc-search.1; do
  grep -q "^\.TH .* \"zlc $version\"" "$here/packaging/$page" || fail "$page is not of zlc $version"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6core6 libqt6gui6 libqt6widgets6; do
  [[ "$depends" == *"$lib "* ]] || fail "the package does not depend on $lib"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-translations-l10n ] ||
  fail "the package does not recommend Qt's translations"

# --- the unpacked package -----------------------------------------------------
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
for f in usr/bin/zlc usr/bin/zlc-search \
         "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
         usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/"$id.png" \
         "usr/share/icons/hicolor/scalable/apps/$id.svg" \
         usr/share/man/man1/zlc.1.gz usr/share/man/man1/zlc-search.1.gz \
         usr/share/doc/zlc/copyright usr/share/doc/zlc/changelog.gz usr/share/doc/zlc/manual.md \
         usr/share/doc/zlc/images/{main-window,filter-dialog,statistics-window}.png \
         usr/share/doc/zlc/manual.ru.md usr/share/doc/zlc/images/ru/{main-window,filter-dialog,statistics-window}.png \
         usr/share/zlc/translations/zlc_ru.qm; do
  [ -f "$root/$f" ] || fail "missing from the package: /$f"
done
got=$("$root/usr/bin/zlc-search" --version) || fail "zlc-search --version failed"
[ "$got" == "zlc-search $version" ] || fail "zlc-search --version: expected [zlc-search $version], got [$got]"
echo "$got (from the unpacked package)"
mkdir "$scratch/cwd"
blocks=$(cd "$scratch/cwd" && TMPDIR=$scratch "$root/usr/bin/zlc-search" --task "**" --seed 1 --results 2 \
           2>/dev/null | grep -c '^[0-9]') || fail "zlc-search found no results"
[ "$blocks" -eq 2 ] || fail "zlc-search printed $blocks results instead of 2"
# Every picture the manual shows is installed beside it.
for picture in $(grep -o '](images/[^)]*)' "$root/usr/share/doc/zlc/manual.md" | sed 's/^](//; s/)$//'); do
  [ -f "$root/usr/share/doc/zlc/$picture" ] || fail "the manual's picture $picture is not in the package"
done
unresolved=$(ldd "$root/usr/bin/zlc" | grep 'not found' || true)
[ -z "$unresolved" ] || fail "zlc: $unresolved"

# --- lintian ------------------------------------------------------------------
echo "== lintian"
status=0
report=$(lintian --fail-on error --display-info "$deb" 2>&1) || status=$?
grep -v '^running with root privileges' <<<"$report" || true
[ "$status" -eq 0 ] || fail "lintian reports errors (exit status $status)"
echo "Package checks passed in ${SECONDS}s."
