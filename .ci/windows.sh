#!/usr/bin/env bash
# Windows build: cross-compiles zek2rtf.exe for 32-bit and 64-bit Windows with
# Debian's MinGW-w64 toolchains, then runs every end-to-end golden case against
# the programs under Wine, and the unit tests cross-built for Windows.
#
# Where this machine runs 32-bit x86 programs, both programs are tested (the
# 32-bit one first: it is the program the help authors use) and the unit
# tests run as a 32-bit program. Where it does not (a kernel without 32-bit
# support, on which Wine's 32-bit loader fails with "Exec format error"), the
# 32-bit program is only built; the 64-bit one and the unit tests, built for
# 64-bit Windows, run through Wine's 64-bit loader, called directly, since
# the `wine` command prefers the 32-bit one. Whether 32-bit programs run is
# found out by running one. ZEK2RTF_CI_RUN_WIN32=no takes the 64-bit way on
# any machine (to try it out).
#
# Installs only what is missing: the MinGW-w64 compilers, Wine (with its
# 32-bit part wine32:i386, which needs the i386 architecture, only where it
# can run), the googletest sources and the ja_JP.UTF-8 locale under which
# Wine uses code page 932.
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

# Whether a 32-bit x86 program runs here: writes the smallest static i386
# program (an ELF header, one program header, and the three instructions of
# exit(42)) and runs it.
runs_32bit_programs() {
  local probe=$root/build-ci-probe-i386
  {
    printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'
    printf '\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000'
    printf '\001\000\000\000\000\000\000\000'
    printf '\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000'
    printf '\140\000\000\000\005\000\000\000\000\020\000\000'
    printf '\270\001\000\000\000\273\052\000\000\000\315\200'
  } >"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ]
}

# Why the 32-bit programs are not run; empty when they are.
no_win32=
if [ "${ZEK2RTF_CI_RUN_WIN32:-}" = no ]; then
  no_win32="ZEK2RTF_CI_RUN_WIN32=no"
elif ! runs_32bit_programs; then
  no_win32="this machine runs no 32-bit programs"
fi
packages=(cmake ninja-build g++ libgtest-dev googletest locales
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64)
if [ -z "$no_win32" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
  fi
  packages+=(wine32:i386)
fi
install_missing "${packages[@]}"
if ! locale -a | grep -qix 'ja_JP.utf-\?8'; then
  "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

# The Wine loader every Windows program runs through (.ci/wine-cp932 takes it
# from ZEK2RTF_WINE): `wine` where 32-bit programs run, which starts either
# kind; otherwise the 64-bit loader of the wine64 package itself, which is
# also the loader Wine uses for the programs it starts in turn.
if [ -z "$no_win32" ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  no_win32="Wine's 32-bit loader does not start"
fi
if [ -z "$no_win32" ]; then
  export ZEK2RTF_WINE=wine
else
  ZEK2RTF_WINE=$(dpkg -L wine64 | grep -m1 '/wine64$')
  export ZEK2RTF_WINE WINELOADER=$ZEK2RTF_WINE
  echo "No 32-bit programs are run ($no_win32): the 32-bit zek2rtf.exe is built but" \
    "not run; the golden cases and the unit tests run as 64-bit programs through $ZEK2RTF_WINE"
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

# googletest for the Windows kind the unit tests run as, built from its
# sources by the same toolchain.
if [ -z "$no_win32" ]; then
  test_bits=32 test_toolchain=mingw-w64-i686
else
  test_bits=64 test_toolchain=mingw-w64-x86_64
fi
gtest_build=build-ci-gtest-win$test_bits
gtest_prefix=$root/$gtest_build/prefix
if [ ! -f "$gtest_prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  cmake -S /usr/src/googletest -B "$gtest_build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$test_toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GMOCK=OFF -DCMAKE_INSTALL_PREFIX="$gtest_prefix"
  cmake --build "$gtest_build"
  cmake --install "$gtest_build"
fi

cross_build() {  # cross_build DIR TOOLCHAIN [extra cmake args]
  local dir=$1 toolchain=$2
  shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchains/$toolchain.cmake" \
    -DZEK2RTF_WERROR=ON "$@"
  cmake --build "$dir"
}
# The unit tests go with the build whose programs run here (their discovery
# runs them under Wine); the other build has none.
with_tests=(-DZEK2RTF_TESTS=ON -DGTest_DIR="$gtest_prefix/lib/cmake/GTest"
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine_run")
if [ -z "$no_win32" ]; then
  cross_build build-ci-win32 mingw-w64-i686 "${with_tests[@]}"
  cross_build build-ci-win64 mingw-w64-x86_64 -DZEK2RTF_TESTS=OFF
else
  cross_build build-ci-win32 mingw-w64-i686 -DZEK2RTF_TESTS=OFF
  cross_build build-ci-win64 mingw-w64-x86_64 "${with_tests[@]}"
fi

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
if [ -z "$no_win32" ]; then
  golden_under_wine build-ci-wine-golden32 build-ci-win32/zek2rtf.exe
else
  echo "build-ci-win32/zek2rtf.exe was built but not run ($no_win32)"
fi
golden_under_wine build-ci-wine-golden64 build-ci-win64/zek2rtf.exe

"$wine_run" "build-ci-win$test_bits/tests/zek2rtf_tests.exe" --gtest_brief=1
