# Windows builds (mingw-w64 cross builds in practice). Included from the top-level CMakeLists.txt
# before any target is defined.

# Every DLL and EXE in one folder: Windows looks for a program's DLLs next to it, so the demo and
# the tests find som.dll, KXCORE32.dll and tooltray.dll without PATH tricks.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # 64-bit programs run under wine64; 32-bit ones cannot run on this kind of host at all.
  find_program(TOOLTRAY_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(TOOLTRAY_WINE64 AND CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${TOOLTRAY_WINE64} ${CMAKE_BINARY_DIR}/wineprefix)
  endif()
endif()

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  # Nothing can run the test programs here: they are built, and listed only when ctest runs on a
  # machine that can run them.
  set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
endif()
