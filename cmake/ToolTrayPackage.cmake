# CPack: on Linux two Debian packages, the shared libraries (libtooltray1) and what a host
# project builds against (libtooltray-dev: headers, link names, CMake package, tooltray.pc); on
# Windows one zip of the whole install tree. Run `cpack` in the build folder.
# scripts/package-check.sh holds the packages to lintian.
set(TOOLTRAY_MAINTAINER "ToolTray Developers <tooltray-devel@lists.tooltray.org>" CACHE STRING
    "Maintainer of the Debian packages (Name <address>)")
set(CPACK_PACKAGE_NAME tooltray)
set(CPACK_PACKAGE_VENDOR "ToolTray")
set(CPACK_PACKAGE_CONTACT "${TOOLTRAY_MAINTAINER}")
if(WIN32)
  # The Debian packages' synopses are the first lines of their own descriptions, below.
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
      "Floating tool-palette class library with its object runtime and framework core")
endif()
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-${CMAKE_SYSTEM_PROCESSOR})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  # The licence reaches the packages as their copyright files, below.
  set(CPACK_COMPONENTS_ALL runtime development)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  set(runtime_package libtooltray${PROJECT_VERSION_MAJOR})
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${runtime_package})
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libtooltray-dev)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
  set(CPACK_COMPONENT_RUNTIME_DESCRIPTION
"floating tool-palette class library (shared libraries)
ToolTray is a floating tool palette for compound-document hosts: one class,
built through an exported entry point and driven through its methods, with
tools laid out in rows, hit-tested and drawn into a device context.
.
This package holds the class library and the stand-ins it runs on: the
object runtime, the document framework's core and a portable USER/GDI layer.")
  set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION
"floating tool-palette class library (development files)
ToolTray is a floating tool palette for compound-document hosts: one class,
built through an exported entry point and driven through its methods, with
tools laid out in rows, hit-tested and drawn into a device context.
.
This package holds what a host is built against: the headers, the link
names, the CMake package (find_package(ToolTray)) and tooltray.pc.")
  # Headers, link names and the CMake files belong to exactly this version of the libraries.
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "${runtime_package} (= ${PROJECT_VERSION})")

  # CPack's own shlibs and dependency scanning would also add maintainer scripts that call
  # ldconfig; the runtime package uses the ldconfig trigger instead, so its control files are
  # made here and its dependencies found at packaging time (tooltray-package-config.cmake).
  set(debian ${PROJECT_BINARY_DIR}/debian)
  set(symbols "")
  set(shlibs "")
  get_property(libraries GLOBAL PROPERTY TOOLTRAY_LIBRARIES)
  foreach(lib IN LISTS libraries)
    get_target_property(output ${lib} OUTPUT_NAME)
    get_target_property(exports ${lib}_objects TOOLTRAY_EXPORT_LIST)
    get_target_property(node ${lib}_objects TOOLTRAY_VERSION_NODE)
    set(soname lib${output}.so.${PROJECT_VERSION_MAJOR})
    string(APPEND shlibs "lib${output} ${PROJECT_VERSION_MAJOR} ${runtime_package} (>= ${PROJECT_VERSION})\n")
    string(APPEND symbols "${soname} ${runtime_package} #MINVER#\n"
                          "* Build-Depends-Package: libtooltray-dev\n"
                          " ${node}@${node} ${PROJECT_VERSION}\n")
    foreach(name IN LISTS exports)
      string(APPEND symbols " ${name}@${node} ${PROJECT_VERSION}\n")
    endforeach()
  endforeach()
  file(CONFIGURE OUTPUT ${debian}/symbols CONTENT "${symbols}")
  file(CONFIGURE OUTPUT ${debian}/shlibs CONTENT "${shlibs}")
  file(CONFIGURE OUTPUT ${debian}/triggers CONTENT "activate-noawait ldconfig\n")
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA
      "${debian}/symbols;${debian}/shlibs;${debian}/triggers")
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  file(GENERATE OUTPUT ${PROJECT_BINARY_DIR}/tooltray-package-config.cmake CONTENT
"# Written by cmake/ToolTrayPackage.cmake: the runtime package's dependencies, read with
# dpkg-shlibdeps from the libraries as built (their own package excluded).
if(CPACK_GENERATOR STREQUAL \"DEB\")
  set(dir ${debian}/shlibdeps)
  file(MAKE_DIRECTORY \${dir}/debian)
  file(WRITE \${dir}/debian/control \"Source: tooltray\\n\\nPackage: ${runtime_package}\\nArchitecture: any\\n\")
  execute_process(COMMAND dpkg-shlibdeps -O --ignore-missing-info -x${runtime_package}
                    -l$<TARGET_FILE_DIR:som> -l$<TARGET_FILE_DIR:tooltray>
                    $<TARGET_FILE:som> $<TARGET_FILE:kxcore> $<TARGET_FILE:gdi>
                    $<TARGET_FILE:tooltray>
                  WORKING_DIRECTORY \${dir} OUTPUT_VARIABLE out RESULT_VARIABLE rc
                  ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES \"shlibs:Depends=([^\\n]*)\")
    message(FATAL_ERROR \"dpkg-shlibdeps found no dependencies for ${runtime_package}: \${err}\")
  endif()
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS \"\${CMAKE_MATCH_1}\")
endif()
")
  set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/tooltray-package-config.cmake)

  # Each package's documentation folder: the licence as a machine-readable copyright file, the
  # changelog, and the lintian overrides. Only the packages take them (EXCLUDE_FROM_ALL keeps
  # them out of a plain cmake --install).
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  string(REGEX REPLACE "^.*Copyright \\(c\\) ([^\n]+)\n\n" "" licence_body "${licence}")
  set(holder "${CMAKE_MATCH_1}")
  string(REGEX REPLACE "\n+$" "" licence_body "${licence_body}")
  string(REPLACE "\n\n" "\n.\n" licence_body "${licence_body}")
  string(REPLACE "\n" "\n " licence_body "${licence_body}")
  file(CONFIGURE OUTPUT ${debian}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ToolTray

Files: *
Copyright: ${holder}
License: Expat
 ${licence_body}
")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${debian}/changelog @ONLY)
  execute_process(COMMAND gzip -9nfk ${debian}/changelog RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "gzip failed on ${debian}/changelog")
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides-dev.in
    ${debian}/libtooltray-dev @ONLY)
  foreach(component IN ITEMS runtime development)
    string(TOUPPER ${component} c)
    set(package ${CPACK_DEBIAN_${c}_PACKAGE_NAME})
    install(FILES ${debian}/copyright ${debian}/changelog.gz
      DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component}
      EXCLUDE_FROM_ALL)
  endforeach()
  install(FILES ${debian}/libtooltray-dev DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides
    COMPONENT development EXCLUDE_FROM_ALL)
endif()

include(CPack)
cpack_add_component(runtime DISPLAY_NAME "Shared libraries")
cpack_add_component(development DISPLAY_NAME "Headers, CMake package, pkg-config file"
  DEPENDS runtime)
cpack_add_component(license DISPLAY_NAME "Licence")
