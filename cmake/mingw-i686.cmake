# Cross build for 32-bit Windows with mingw-w64. The test programs run under 32-bit Wine (see
# cmake/windows.cmake).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(MINGW_TRIPLET i686-w64-mingw32)
# Floating point in SSE registers, rounded to each operation's own type as x86_64 does, instead of
# x87's excess precision: the same pixels in every build (HALFTONE mixes in float). SSE2 is what
# every 32-bit Windows since 8 requires of the processor.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
