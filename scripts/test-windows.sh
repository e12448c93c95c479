#!/usr/bin/env bash
# Cross-builds Sonaru and its tests for Windows with MinGW-w64, and runs the tests under Wine in a private
# prefix: no Windows machine, no display. GoogleTest is built for MinGW once, from Debian's sources, and
# kept with the Wine prefix in the build folder.
# Usage: scripts/test-windows.sh [build folder, default build/windows]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build/windows}")

packages=(cmake make mingw-w64 wine64 googletest xvfb xdotool libsndfile1-dev pkg-config)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -ne 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installation de : ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

toolchain=$PWD/cmake/mingw-w64.cmake
gtest=$build/googletest
gtest_version=$(dpkg-query -W -f='${Version}' googletest)
if [ "$(cat "$gtest/install/version" 2>/dev/null)" != "$gtest_version" ]; then
  rm -rf "$gtest"
  cmake -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest/install" >/dev/null
  cmake --build "$gtest/build" -j2 >/dev/null
  cmake --install "$gtest/build" >/dev/null
  echo "$gtest_version" >"$gtest/install/version"
fi

# A prefix of the tests' own, without a display, and without the .NET and HTML engines Wine would offer to
# download.
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
wineserver=/usr/lib/wine/wineserver64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # It complains of the 32-bit half that wine64 alone does not have; what counts is the prefix it leaves.
  /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
  "$wineserver" -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot could not create the Wine prefix $WINEPREFIX" >&2; exit 1; }
fi

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DSONARU_BUILD_TESTS=ON \
  -DGTest_DIR="$gtest/install/lib/cmake/GTest"
cmake --build "$build" -j2

# One server for every test process, stopped at the end. The prefix's own services, which outlive the
# process that starts them, are started here, away from the pipes on which ctest waits for a test's end.
"$wineserver" -p 2>/dev/null || true  # one already serving this prefix does as well
trap '"$wineserver" -k 2>/dev/null || true' EXIT
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
# Wine now and then fails to start a process at all (no output, status 1 at once, seen once in a few
# hundred test runs): such a test gets one more try; a test that fails in its own checks fails both times.
# A Wine process that hangs (a helper process of Wine's holding a pipe open) ends at the timeout instead
# of holding up the run.
ctest --test-dir "$build" -j2 --output-on-failure --no-tests=error --repeat until-pass:2 --timeout 120
