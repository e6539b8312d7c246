# Shared part of the MinGW-w64 cross toolchains: builds a self-contained
# Windows console program (libgcc, libstdc++ and winpthread linked in, so
# zek2rtf.exe needs nothing beyond the DLLs every Windows has).
#
# The including file sets ZEK2RTF_MINGW_TRIPLET before including this one.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZEK2RTF_MINGW_PROCESSOR})

# Debian ships each compiler in a "-posix" and a "-win32" threading variant;
# the output file's writing thread needs std::thread, which the "-posix" one
# has (the plain name points to it by default).
find_program(ZEK2RTF_MINGW_CXX NAMES ${ZEK2RTF_MINGW_TRIPLET}-g++-posix
                                     ${ZEK2RTF_MINGW_TRIPLET}-g++ REQUIRED)
find_program(ZEK2RTF_MINGW_CC NAMES ${ZEK2RTF_MINGW_TRIPLET}-gcc-posix
                                    ${ZEK2RTF_MINGW_TRIPLET}-gcc REQUIRED)
find_program(ZEK2RTF_MINGW_RC NAMES ${ZEK2RTF_MINGW_TRIPLET}-windres)
set(CMAKE_CXX_COMPILER ${ZEK2RTF_MINGW_CXX})
set(CMAKE_C_COMPILER ${ZEK2RTF_MINGW_CC})
if(ZEK2RTF_MINGW_RC)
  set(CMAKE_RC_COMPILER ${ZEK2RTF_MINGW_RC})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${ZEK2RTF_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: no libstdc++-6.dll, libgcc_s_*.dll or libwinpthread-1.dll
# beside the program.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets CMake (and GoogleTest's test discovery) run the built programs on this
# host when Wine is installed, unless the command line names another runner.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(ZEK2RTF_WINE NAMES wine)
  if(ZEK2RTF_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ZEK2RTF_WINE})
  endif()
endif()
