# Cross build for 64-bit Windows with mingw-w64. The test programs run under wine64 (see
# cmake/windows.cmake, which points CMAKE_CROSSCOMPILING_EMULATOR at cmake/wine-run.sh).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
