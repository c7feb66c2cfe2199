# The installed package: shipped data, the CMake package KoraCore and its
# version file. Libraries, headers and pkg-config files are installed where
# each library is defined (cmake/Koracore.cmake), tools in tools/.
include(CMakePackageConfigHelpers)

install(DIRECTORY data/ DESTINATION ${KORACORE_DATA_SUBDIR})

set(KORACORE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/KoraCore)
install(EXPORT KoraCoreTargets NAMESPACE KoraCore:: DESTINATION ${KORACORE_CMAKE_DIR})
configure_package_config_file(cmake/KoraCoreConfig.cmake.in
  "${PROJECT_BINARY_DIR}/cmake/KoraCoreConfig.cmake"
  INSTALL_DESTINATION ${KORACORE_CMAKE_DIR}
  PATH_VARS KORACORE_DATA_SUBDIR)
# Releases with one major number keep the binary interface.
write_basic_package_version_file("${PROJECT_BINARY_DIR}/cmake/KoraCoreConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/cmake/KoraCoreConfig.cmake"
              "${PROJECT_BINARY_DIR}/cmake/KoraCoreConfigVersion.cmake"
        DESTINATION ${KORACORE_CMAKE_DIR})
