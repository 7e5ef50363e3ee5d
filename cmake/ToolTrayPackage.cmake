# CPack: on Linux two Debian packages, the shared libraries (libtooltray1) and what a host
# project builds against (libtooltray-dev: headers, link names, CMake package, tooltray.pc); on
# Windows one zip of the whole install tree. Run `cpack` in the build folder.
set(CPACK_PACKAGE_NAME tooltray)
set(CPACK_PACKAGE_VENDOR "ToolTray")
set(CPACK_PACKAGE_CONTACT "ToolTray maintainers <tooltray@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Floating tool-palette class library with its object runtime and framework core")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME windows-${CMAKE_SYSTEM_PROCESSOR})
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL runtime development)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION libs)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libtooltray${PROJECT_VERSION_MAJOR})
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libtooltray-dev)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
  # The runtime package's dependencies (libc6, libstdc++6, libgcc-s1) come from dpkg-shlibdeps,
  # and it carries a shlibs file so that packages built against it depend on it in turn.
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
  # The libraries load one another (libtooltray needs libsom, libkxcore, libgdi), all from the
  # runtime package itself.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
      ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/platform)
  # Headers, link names and the CMake files belong to exactly this version of the libraries.
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS
      "libtooltray${PROJECT_VERSION_MAJOR} (= ${PROJECT_VERSION})")
endif()

include(CPack)
cpack_add_component(runtime DISPLAY_NAME "Shared libraries")
cpack_add_component(development DISPLAY_NAME "Headers, CMake package, pkg-config file"
  DEPENDS runtime)
