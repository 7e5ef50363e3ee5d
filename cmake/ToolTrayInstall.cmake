# What `cmake --install` puts where, the CMake package (ToolTrayConfig.cmake, imported targets
# ToolTray::*), tooltray.pc for pkg-config, and CPack's Debian packages and Windows zip. Included
# from the top-level CMakeLists.txt after every target is defined.
#
# Headers are installed with the relative layout they have in the source tree, under
# include/tooltray/, and included as <tooltray/runtime/som.h>, <tooltray/host/...>: the imported
# targets and tooltray.pc name the prefix's include folder and no other.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TOOLTRAY_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ToolTray)

# On Windows the GDI layer is the system's: ToolTray::gdi stands for gdi32 and user32 there, so
# a host links the same targets on every platform.
if(NOT TARGET gdi)
  add_library(gdi INTERFACE)
  target_link_libraries(gdi INTERFACE gdi32 user32)
endif()

# Public headers per library; each header belongs to the library whose interface it is. They are
# staged in the build tree as include/tooltray/<their source path> and installed the same way, so
# a host includes <tooltray/host/tool_space_palette.h> with only the prefix's include folder on its
# path; they reach each other by relative paths, which hold in both trees.
set(TOOLTRAY_STAGED_INCLUDE ${PROJECT_BINARY_DIR}/include)
function(tooltray_public_headers target)
  set(staged "")
  foreach(header IN LISTS ARGN)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${header})
    configure_file(${header} ${TOOLTRAY_STAGED_INCLUDE}/tooltray/${relative} COPYONLY)
    list(APPEND staged ${TOOLTRAY_STAGED_INCLUDE}/tooltray/${relative})
  endforeach()
  target_sources(${target} PUBLIC FILE_SET HEADERS BASE_DIRS ${TOOLTRAY_STAGED_INCLUDE}
    FILES ${staged})
endfunction()
tooltray_public_headers(som
  ${PROJECT_SOURCE_DIR}/runtime/som.h
  ${PROJECT_SOURCE_DIR}/runtime/som_description.h
  ${PROJECT_SOURCE_DIR}/runtime/som_class_declaration.h)
tooltray_public_headers(kxcore
  ${PROJECT_SOURCE_DIR}/runtime/kxcore.h
  ${PROJECT_SOURCE_DIR}/runtime/win_gdi.h
  ${PROJECT_SOURCE_DIR}/runtime/win_handles.h
  ${PROJECT_SOURCE_DIR}/geometry/kx_geometry.h
  ${PROJECT_SOURCE_DIR}/geometry/fixed_point.h)
if(NOT WIN32)
  # Only what runtime/win_gdi.h reaches; the layer's internals stay out.
  tooltray_public_headers(gdi ${PROJECT_SOURCE_DIR}/platform/gdi/gdi.h)
endif()
tooltray_public_headers(tooltray ${PROJECT_SOURCE_DIR}/tooltray/tooltray.h
  ${PROJECT_SOURCE_DIR}/tools/tool_info.h)
tooltray_public_headers(tooltray_host
  ${PROJECT_SOURCE_DIR}/host/tooltray_bindings.h
  ${PROJECT_SOURCE_DIR}/host/tooltray_handles.h
  ${PROJECT_SOURCE_DIR}/host/tooltray_units.h
  ${PROJECT_SOURCE_DIR}/host/tool_space_palette.h)

set(tooltray_exported som kxcore gdi tooltray tooltray_host)
if(NOT WIN32)
  # libtooltray.so.1, libtooltray-som.so.1 and the like. Installed libraries carry no RUNPATH:
  # they are found the way the system finds any library (its folders, or the host's own path).
  set_target_properties(som kxcore gdi tooltray PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
endif()
set_target_properties(tooltray_host PROPERTIES EXPORT_NAME host)
# The public headers use C++17 (the host kit's bindings, the geometry's static_asserts).
foreach(target IN LISTS tooltray_exported)
  target_compile_features(${target} INTERFACE cxx_std_17)
endforeach()
foreach(target IN LISTS tooltray_exported)
  get_target_property(name ${target} EXPORT_NAME)
  if(NOT name)
    set(name ${target})
  endif()
  if(NOT TARGET ToolTray::${name})
    add_library(ToolTray::${name} ALIAS ${target})
  endif()
endforeach()

install(TARGETS ${tooltray_exported} EXPORT ToolTrayTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime
    NAMELINK_COMPONENT development
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT development
  FILE_SET HEADERS DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} COMPONENT development
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
if(NOT WIN32)
  # A stripped install (cmake --install --strip, and CPack's) also drops the compilers' .comment
  # notes from the libraries, as Debian's own stripping does.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      file(GLOB libraries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/lib*.so.*.*.*\")
      foreach(library IN LISTS libraries)
        execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment \${library}
                        COMMAND_ERROR_IS_FATAL ANY)
      endforeach()
    endif()" COMPONENT runtime)
endif()
install(EXPORT ToolTrayTargets NAMESPACE ToolTray:: DESTINATION ${TOOLTRAY_CMAKE_DIR}
  COMPONENT development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/ToolTrayConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ToolTrayConfig.cmake INSTALL_DESTINATION ${TOOLTRAY_CMAKE_DIR})
# Same major version: the method tokens' order and the exported names are fixed within it.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ToolTrayConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ToolTrayConfig.cmake
  ${PROJECT_BINARY_DIR}/ToolTrayConfigVersion.cmake
  DESTINATION ${TOOLTRAY_CMAKE_DIR} COMPONENT development)

# tooltray.pc: relocatable, its prefix found from where the file lies, so a tree unpacked
# anywhere (dpkg -x, a zip) answers with its own paths.
file(RELATIVE_PATH pc_to_prefix ${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/pkgconfig
  ${CMAKE_INSTALL_PREFIX})
string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
set(pc_libs "")
set(pc_targets tooltray kxcore som)
if(NOT WIN32)
  list(APPEND pc_targets gdi)
endif()
foreach(target IN LISTS pc_targets)
  get_target_property(output ${target} OUTPUT_NAME)
  string(APPEND pc_libs " -l${output}")
endforeach()
if(WIN32)
  string(APPEND pc_libs " -lgdi32 -luser32")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/tooltray.pc.in ${PROJECT_BINARY_DIR}/tooltray.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tooltray.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)

# The licence: with the CMake package and in the Windows zip. The Debian packages carry it in
# their copyright files instead (cmake/ToolTrayPackage.cmake), where Debian looks for it.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT license)

include(${CMAKE_CURRENT_LIST_DIR}/ToolTrayPackage.cmake)
