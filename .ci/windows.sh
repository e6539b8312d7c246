#!/usr/bin/env bash
# Windows build: cross-compiles zek2rtf.exe for 32-bit and 64-bit Windows with
# Debian's MinGW-w64 toolchains, then runs every end-to-end golden case against
# both programs under Wine (the 32-bit one first: it is the program the help
# authors use), and the unit tests cross-built for 32-bit Windows.
#
# Installs only what is missing: the MinGW-w64 compilers, Wine with its 32-bit
# part (wine32:i386, which needs the i386 architecture), the googletest sources
# and the ja_JP.UTF-8 locale under which Wine uses code page 932.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

export DEBIAN_FRONTEND=noninteractive
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

install_missing() {
  local need=()
  for pkg in "$@"; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
  done
  if [ ${#need[@]} -gt 0 ]; then
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${need[@]}"
  fi
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
install_missing cmake ninja-build g++ libgtest-dev googletest locales \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 wine32:i386
if ! locale -a | grep -qix 'ja_JP.utf-\?8'; then
  "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# A fresh Wine prefix: one made before wine32 was installed cannot start
# 32-bit programs. Mono and Gecko are not needed by a console program. Every
# Windows program runs through .ci/wine-cp932 (a Japanese locale, code page
# 932). The prefix's server is kept running for the whole script, so Wine's
# own background processes start once, with wineboot, and never share the
# console streams of a program under test.
export WINEPREFIX=$root/build-ci-wine/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES='mscoree,mshtml='
wine_run=$root/.ci/wine-cp932
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
stop_wineserver() { wineserver -k >/dev/null 2>&1 || true; }
trap stop_wineserver EXIT
wineserver -p
"$wine_run" wineboot --init

# googletest for 32-bit Windows, built from its sources by the same toolchain.
gtest_prefix=$root/build-ci-gtest-win32/prefix
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B build-ci-gtest-win32 -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/mingw-w64-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest_prefix"
  cmake --build build-ci-gtest-win32
  cmake --install build-ci-gtest-win32
fi

cross_build() {  # cross_build DIR TOOLCHAIN [extra cmake args]
  local dir=$1 toolchain=$2
  shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain.cmake" \
    -DZEK2RTF_WERROR=ON "$@"
  cmake --build "$dir"
}
# The 32-bit build with its unit tests (their discovery runs them under Wine).
cross_build build-ci-win32 mingw-w64-i686 -DGTest_DIR="$gtest_prefix/lib/cmake/GTest" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine_run"
cross_build build-ci-win64 mingw-w64-x86_64 -DZEK2RTF_TESTS=OFF

# The golden runner is a native program; it runs the .exe through Wine in a
# Japanese locale and accepts the CR LF that the Windows C runtime writes for
# LF on the console streams (files are compared byte for byte).
golden_under_wine() {  # golden_under_wine DIR EXE
  local dir=$1 exe=$2
  cmake -S . -B "$dir" -G Ninja -DZEK2RTF_WERROR=ON -DZEK2RTF_GOLDEN_WINDOWS=ON \
    -DZEK2RTF_GOLDEN_BINARY="$root/$exe" -DZEK2RTF_GOLDEN_WRAPPER="$wine_run" \
    -DZEK2RTF_GOLDEN_FLAGS=--console-crlf
  cmake --build "$dir" --target golden_runner
  ctest --test-dir "$dir" -R '^golden/' --output-on-failure
}
golden_under_wine build-ci-wine-golden32 build-ci-win32/zek2rtf.exe
golden_under_wine build-ci-wine-golden64 build-ci-win64/zek2rtf.exe

"$wine_run" build-ci-win32/tests/zek2rtf_tests.exe --gtest_brief=1
