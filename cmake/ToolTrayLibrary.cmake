# The four shared libraries (som, kxcore, gdi, tooltray), each linked twice from one set of objects:
#   <name>          the shipped library: hidden visibility, and exactly the names of its module
#                   definition file exported, each under the library's own version node on Linux;
#   <name>_testing  the test build, never installed: the same objects, plus the test hooks the
#                   suites call, linked against the other libraries' test builds.
# One module definition file (.def) per library is the export list: Windows links it as it is,
# and the Linux version script, the test builds' lists and the Debian symbols file are made from it.
#
# In-tree code links the libraries through ${TOOLTRAY_<name>} (TOOLTRAY_som, ...), which names the
# test build when the program being linked has the TOOLTRAY_TEST_HOOKS property on. The property is
# inherited from the directory, so tests/ and fuzz/ turn it on once for everything they build.
define_property(TARGET PROPERTY TOOLTRAY_TEST_HOOKS INHERITED
  BRIEF_DOCS "Link the libraries' test builds" FULL_DOCS "See cmake/ToolTrayLibrary.cmake")
define_property(DIRECTORY PROPERTY TOOLTRAY_TEST_HOOKS INHERITED
  BRIEF_DOCS "Link the libraries' test builds" FULL_DOCS "See cmake/ToolTrayLibrary.cmake")
foreach(lib IN ITEMS som kxcore gdi tooltray)
  set(TOOLTRAY_${lib} "$<IF:$<BOOL:$<TARGET_PROPERTY:TOOLTRAY_TEST_HOOKS>>,${lib}_testing,${lib}>")
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/ModuleDefinition.cmake)

# The version node of a library's names: one node per library, so that no other library's
# definition of the same name (another GDI, another runtime) can satisfy a reference, or be
# satisfied by this one.
function(tooltray_version_node linux_name out)
  string(TOUPPER "${linux_name}" node)
  string(REPLACE "-" "_" node "${node}")
  set(${out} "${node}_${PROJECT_VERSION_MAJOR}.0" PARENT_SCOPE)
endfunction()

# tooltray_shared_library(<name> LINUX_NAME <file name> [WINDOWS_NAME <dll name>] EXPORTS <.def>
#   SOURCES <objects shared by both builds> [VARIANT_SOURCES <compiled once per build, with
#   TOOLTRAY_TEST_HOOKS defined in the test build>] [TEST_SOURCES <test build only>]
#   [TEST_EXPORTS <hook names>] [DEFINITIONS <private>] [LIBS <our libraries, public>]
#   [PRIVATE_LIBS <static libraries linked through ${TOOLTRAY_*}>] [SYSTEM_LIBS <public>])
function(tooltray_shared_library name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "LINUX_NAME;WINDOWS_NAME;EXPORTS"
    "SOURCES;VARIANT_SOURCES;TEST_SOURCES;TEST_EXPORTS;DEFINITIONS;LIBS;PRIVATE_LIBS;SYSTEM_LIBS")
  add_library(${name}_objects OBJECT ${arg_SOURCES})
  target_link_libraries(${name}_objects PRIVATE project_options)
  target_compile_definitions(${name}_objects PRIVATE ${arg_DEFINITIONS})

  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${arg_EXPORTS})
  tooltray_read_module_definition(${arg_EXPORTS} exports unused_dll_name)
  tooltray_version_node(${arg_LINUX_NAME} node)
  set_property(GLOBAL APPEND PROPERTY TOOLTRAY_LIBRARIES ${name})
  set_target_properties(${name}_objects PROPERTIES TOOLTRAY_EXPORT_LIST "${exports}"
    TOOLTRAY_VERSION_NODE ${node})

  foreach(variant IN ITEMS shipped testing)
    if(variant STREQUAL shipped)
      set(target ${name})
      set(suffix "")
      set(names ${exports})
      set(libs ${arg_LIBS})
    else()
      set(target ${name}_testing)
      set(suffix -testing)
      set(names ${exports} ${arg_TEST_EXPORTS})
      list(TRANSFORM arg_LIBS APPEND _testing OUTPUT_VARIABLE libs)
    endif()
    add_library(${target} SHARED $<TARGET_OBJECTS:${name}_objects> ${arg_VARIANT_SOURCES})
    if(variant STREQUAL testing)
      target_sources(${target} PRIVATE ${arg_TEST_SOURCES})
      target_compile_definitions(${target} PRIVATE TOOLTRAY_TEST_HOOKS)
      set_target_properties(${target} PROPERTIES TOOLTRAY_TEST_HOOKS ON)
    else()
      set_target_properties(${target} PROPERTIES TOOLTRAY_TEST_HOOKS OFF)
    endif()
    target_link_libraries(${target} PRIVATE project_options ${arg_PRIVATE_LIBS}
                          PUBLIC ${libs} ${arg_SYSTEM_LIBS})
    target_compile_definitions(${target} PRIVATE ${arg_DEFINITIONS})
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>)

    if(WIN32)
      set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${arg_WINDOWS_NAME}${suffix})
      if(variant STREQUAL shipped)
        target_sources(${target} PRIVATE ${arg_EXPORTS})
      else()
        # The DLL's own name: an import library made from the shipped file would load the
        # shipped DLL.
        list(JOIN names "\n    " body)
        set(def ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
        file(CONFIGURE OUTPUT ${def} CONTENT
             "LIBRARY ${arg_WINDOWS_NAME}${suffix}.dll\nEXPORTS\n    ${body}\n" @ONLY)
        target_sources(${target} PRIVATE ${def})
      endif()
    else()
      set_target_properties(${target} PROPERTIES OUTPUT_NAME ${arg_LINUX_NAME}${suffix})
      list(JOIN names ";\n    " body)
      set(map ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
      file(CONFIGURE OUTPUT ${map} CONTENT
           "${node} {\n  global:\n    ${body};\n  local:\n    *;\n};\n" @ONLY)
      target_link_options(${target} PRIVATE -Wl,--version-script=${map} -Wl,--no-undefined)
      set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${map})
    endif()
  endforeach()
endfunction()
