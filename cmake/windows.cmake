# Windows builds (mingw-w64 cross builds in practice). Included from the top-level CMakeLists.txt
# before any target is defined.

# Every DLL and EXE in one folder: Windows looks for a program's DLLs next to it, so the demo and
# the tests find som.dll, KXCORE32.dll and tooltray.dll without PATH tricks.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # 64-bit programs run under wine64, 32-bit ones under Wine's 32-bit loader (Debian: wine32:i386)
  # in a 32-bit prefix of their own.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    find_program(TOOLTRAY_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
    set(tooltray_wine ${TOOLTRAY_WINE64})
  else()
    find_program(TOOLTRAY_WINE32 wine PATHS /usr/lib/wine NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    set(tooltray_wine ${TOOLTRAY_WINE32})
  endif()
  # A loader that is not there ("none") leaves the programs built but not run: a kernel without
  # 32-bit support.
  if(tooltray_wine AND EXISTS "${tooltray_wine}")
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${tooltray_wine} ${CMAKE_BINARY_DIR}/wineprefix)
  endif()
endif()

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # Nothing can run the test programs here: they are built, and listed only when ctest runs on a
  # machine that can run them.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()
