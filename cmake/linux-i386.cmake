# 32-bit x86 Linux with the host's GCC (g++-multilib), i386 libraries from Debian's multiarch
# packages (libpng-dev:i386). The test programs run under qemu-i386: both for gtest's discovery
# and for ctest, through CMAKE_CROSSCOMPILING_EMULATOR.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
# Floating point in SSE registers, rounded to each operation's own type as on x86_64, instead of
# x87's excess precision: HALFTONE's float mixing gives the same pixels in every build.
set(CMAKE_C_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-m32 -msse2 -mfpmath=sse")
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)

# Search the i386 multiarch folders only, so the 64-bit libpng is never picked up.
set(CMAKE_FIND_ROOT_PATH /usr/lib/i386-linux-gnu /usr/include/i386-linux-gnu)
set(CMAKE_IGNORE_PATH /usr/lib/x86_64-linux-gnu /lib/x86_64-linux-gnu)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# -L tells qemu where the i386 dynamic loader and libraries are ("/", since Debian installs them
# in their multiarch folders on this same machine).
find_program(QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_I386};-L;/)
