# Cross build for 32-bit Windows (i686) with Debian's MinGW-w64 toolchain:
#   cmake -S . -B build-win32 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-i686.cmake -DZEK2RTF_TESTS=OFF
set(ZEK2RTF_MINGW_TRIPLET i686-w64-mingw32)
set(ZEK2RTF_MINGW_PROCESSOR x86)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
