# Where things go, in the build tree and under an installed prefix.
#
# The build tree has the layout of an installation: shared libraries in
# <build>/<libdir>, programs (tools, tests, benchmarks) in <build>/<bindir>,
# and a copy of data/ in <build>/<datadir>/koracore. The libraries find their
# data relative to the file they were loaded from (base/kora_data.h), so one
# rule serves a build tree, an installation and a moved installation alike,
# and nothing built refers to the source tree.
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_LIBDIR}")
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/${CMAKE_INSTALL_BINDIR}")
set(KORACORE_DATA_SUBDIR "${CMAKE_INSTALL_DATADIR}/koracore")
set(KORACORE_BUILD_DATA_DIR "${PROJECT_BINARY_DIR}/${KORACORE_DATA_SUBDIR}")

# Relative run paths: an installed library finds the others beside it, an
# installed program finds them in the library folder, wherever the prefix
# is moved. (The build tree keeps CMake's absolute build run paths.)
file(RELATIVE_PATH KORACORE_BIN_TO_LIB
     "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
set(KORACORE_LIBRARY_RPATH "$ORIGIN")
set(KORACORE_PROGRAM_RPATH "$ORIGIN/${KORACORE_BIN_TO_LIB}")

# The same relative paths from the library and the program folders to the
# data folder, compiled into the data search.
file(RELATIVE_PATH KORACORE_LIBRARY_TO_DATA
     "${CMAKE_INSTALL_FULL_LIBDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/koracore")
file(RELATIVE_PATH KORACORE_PROGRAM_TO_DATA
     "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/koracore")

# data/ -> <build>/<datadir>/koracore, refreshed whenever a file changes.
file(GLOB koracore_data_files CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/data/*")
set(koracore_data_copies)
foreach(source IN LISTS koracore_data_files)
  get_filename_component(name "${source}" NAME)
  set(copy "${KORACORE_BUILD_DATA_DIR}/${name}")
  add_custom_command(OUTPUT "${copy}"
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different "${source}" "${copy}"
                     DEPENDS "${source}"
                     COMMENT "Copying data/${name} into the build tree's data folder")
  list(APPEND koracore_data_copies "${copy}")
endforeach()
add_custom_target(koracore-data ALL DEPENDS ${koracore_data_copies})
