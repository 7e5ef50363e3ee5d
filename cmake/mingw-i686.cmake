# Cross build for 32-bit Windows with mingw-w64: compiled and linked only, since this host cannot
# run 32-bit programs (so no tests are discovered or run).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
