# koracore_library(<name> <output-name> DIRS <dirs...> [EXCLUDE <files...>]
#                  [PUBLIC_HEADERS <headers...>]
#                  [EXTRA_SOURCES ...] [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
#
# PUBLIC_HEADERS is the library's installable interface, paths from the top
# of the tree; they install to include/koracore/<same path>, so a host
# includes "kfs/dfs/dfs_types.h" as the sources do. Every other header stays
# private to the build. The lists of all libraries are collected in the
# global property KORACORE_PUBLIC_HEADERS, which tests/api checks.
#
# Every deliverable is built twice from one set of objects: the versioned
# shared library that hosts link (<name>, hidden visibility, only the API
# macros export), and a static archive <name>-internal that unit tests link
# when they need to reach classes the shared object does not export.
function(koracore_library name output)
  cmake_parse_arguments(ARG "" ""
    "DIRS;EXCLUDE;PUBLIC_HEADERS;EXTRA_SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  # The identity string makes every library non-empty from its first day and
  # lets `strings` tell which build a deployed object comes from.
  set(identity "${CMAKE_CURRENT_BINARY_DIR}/${name}-identity.c")
  string(REPLACE "-" "_" ident_name "${name}")
  file(CONFIGURE OUTPUT "${identity}" CONTENT
    "const char ${ident_name}_identity[] = \"@output@ @PROJECT_VERSION@\";\n" @ONLY)
  set(sources "${identity}")
  foreach(extra IN LISTS ARG_EXTRA_SOURCES)
    if(EXISTS "${extra}")
      list(APPEND sources "${extra}")
    endif()
  endforeach()
  foreach(dir IN LISTS ARG_DIRS)
    file(GLOB dir_sources CONFIGURE_DEPENDS
         "${PROJECT_SOURCE_DIR}/${dir}/*.cpp" "${PROJECT_SOURCE_DIR}/${dir}/*.c")
    list(APPEND sources ${dir_sources})
  endforeach()
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources "${PROJECT_SOURCE_DIR}/${excluded}")
  endforeach()
  add_library(${name}-objects OBJECT ${sources})
  target_include_directories(${name}-objects PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/koracore>)
  target_link_libraries(${name}-objects PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})

  add_library(${name} SHARED $<TARGET_OBJECTS:${name}-objects>)
  set_target_properties(${name} PROPERTIES
    OUTPUT_NAME ${output}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${PROJECT_VERSION_MAJOR})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/koracore>)
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  # --no-as-needed: a library records every koracore library it is declared
  # to link, even before it calls into it, so the run-time dependencies are
  # the documented ones (kfs -> qty -> rcf, KvCart -> rcf) on every toolchain.
  target_link_options(${name} PRIVATE -Wl,--no-undefined -Wl,--no-as-needed
    "-Wl,--version-script=${PROJECT_SOURCE_DIR}/cmake/exports.map")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS "${PROJECT_SOURCE_DIR}/cmake/exports.map")

  add_library(${name}-internal STATIC $<TARGET_OBJECTS:${name}-objects>)
  target_include_directories(${name}-internal PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}-internal PUBLIC ${ARG_PUBLIC_LIBS} ${ARG_PRIVATE_LIBS})

  install(TARGETS ${name} LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
  koracore_install_headers(${name} ${ARG_PUBLIC_HEADERS})
endfunction()

# Installs the listed headers of a library and records them for tests/api.
function(koracore_install_headers name)
  if(NOT ARGN)
    message(STATUS "${name}: no public headers listed, none installed from its folders")
  endif()
  foreach(header IN LISTS ARGN)
    if(NOT EXISTS "${PROJECT_SOURCE_DIR}/${header}")
      message(FATAL_ERROR "${name}: public header ${header} does not exist")
    endif()
    get_filename_component(dir "${header}" DIRECTORY)
    install(FILES "${PROJECT_SOURCE_DIR}/${header}"
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/koracore/${dir})
  endforeach()
  set_property(TARGET ${name} PROPERTY KORACORE_PUBLIC_HEADERS ${ARGN})
  set_property(GLOBAL APPEND PROPERTY KORACORE_PUBLIC_HEADERS ${ARGN})
endfunction()
