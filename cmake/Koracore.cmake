# koracore_library(<name> <output-name> DIRS <dirs...> [EXCLUDE <files...>]
#                  [PUBLIC_HEADERS <headers...>] [DESCRIPTION <text>]
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
#
# The shared library installs as KoraCore::<name without -koracore> in the
# CMake package and as <name>.pc for pkg-config (DESCRIPTION is its one-line
# description); PUBLIC_LIBS become the package's link dependencies and the
# .pc file's Requires.
function(koracore_library name output)
  cmake_parse_arguments(ARG "" ""
    "DIRS;EXCLUDE;PUBLIC_HEADERS;EXTRA_SOURCES;PUBLIC_LIBS;PRIVATE_LIBS;DESCRIPTION" ${ARGN})
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
  if(KORACORE_FUZZ)
    # clang leaves the sanitizer runtime to the program that loads the
    # library, so its shared objects cannot resolve every symbol alone.
    target_link_options(${name} PRIVATE -Wl,-z,undefs)
  endif()

  add_library(${name}-internal STATIC $<TARGET_OBJECTS:${name}-objects>)
  target_include_directories(${name}-internal PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name}-internal PUBLIC ${ARG_PUBLIC_LIBS} ${ARG_PRIVATE_LIBS})

  # Installed as KoraCore::<short name> (KoraCore::kfs for kfs-koracore),
  # finding the other koracore libraries beside itself.
  string(REGEX REPLACE "-koracore$" "" short "${name}")
  set_target_properties(${name} PROPERTIES EXPORT_NAME ${short}
                        INSTALL_RPATH "${KORACORE_LIBRARY_RPATH}")
  install(TARGETS ${name} EXPORT KoraCoreTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/koracore)
  koracore_install_headers(${name} ${ARG_PUBLIC_HEADERS})
  koracore_pkg_config(${name} "${ARG_DESCRIPTION}" ${ARG_PUBLIC_LIBS})
  # Whatever uses a library in the build tree finds the shipped data beside it.
  add_dependencies(${name}-objects koracore-data)
endfunction()

# Writes and installs <name>.pc. The prefix is taken from where pkg-config
# finds the file (${pcfiledir}), so a moved installation still answers with
# its own folders.
function(koracore_pkg_config name description)
  file(RELATIVE_PATH pc_to_prefix
       "${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig" "${CMAKE_INSTALL_PREFIX}")
  string(REGEX REPLACE "/$" "" pc_to_prefix "${pc_to_prefix}")
  set(requires "")
  foreach(dependency IN LISTS ARGN)
    string(APPEND requires " ${dependency}")
  endforeach()
  string(STRIP "${requires}" requires)
  set(pc "${PROJECT_BINARY_DIR}/pkgconfig/${name}.pc")
  file(WRITE "${pc}"
"prefix=\${pcfiledir}/${pc_to_prefix}
libdir=\${prefix}/${CMAKE_INSTALL_LIBDIR}
includedir=\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}/koracore
datadir=\${prefix}/${KORACORE_DATA_SUBDIR}

Name: ${name}
Description: ${description}
Version: ${PROJECT_VERSION}
Requires: ${requires}
Libs: -L\${libdir} -l${name}
Cflags: -I\${includedir}
")
  install(FILES "${pc}" DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
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
