# Cross build for 64-bit Windows (x86-64) with Debian's MinGW-w64 toolchain:
#   cmake -S . -B build-win64 -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake -DZEK2RTF_TESTS=OFF
set(ZEK2RTF_MINGW_TRIPLET x86_64-w64-mingw32)
set(ZEK2RTF_MINGW_PROCESSOR AMD64)

include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
