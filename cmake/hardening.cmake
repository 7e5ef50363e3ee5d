# Hardening for every binary the build makes: the libraries, the programs, the tests and the
# GoogleTest they link (options set here reach every target defined after this file is included).
# tests/check_hardening.cmake and tests/windows/check_pe_hardening.cmake read the results back.
include(CheckPIESupported)
# With POSITION_INDEPENDENT_CODE on, programs are then linked as position-independent too.
check_pie_supported()

if(WIN32)
  # Relocatable images at random addresses, data never executable; high-entropy addresses exist
  # only for 64-bit images.
  add_link_options(LINKER:--dynamicbase LINKER:--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    add_link_options(LINKER:--high-entropy-va)
  endif()
else()
  add_compile_options(-fstack-protector-strong)
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86)$")
    add_compile_options(-fcf-protection=full)
  endif()
  # Full RELRO: every relocation is resolved at load time and the GOT is then read-only.
  add_link_options(LINKER:-z,relro LINKER:-z,now)
  # ASan and the fuzzer's instrumentation check every access themselves, and the checked libc
  # variants would hide accesses from them: fortification is for the optimized normal builds.
  if(NOT TOOLTRAY_SANITIZE AND NOT TOOLTRAY_FUZZ AND NOT TOOLTRAY_TSAN)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE>
                        $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  endif()
endif()
