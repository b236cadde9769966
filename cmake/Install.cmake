# `cmake --install`: the shared library, its public headers, the command-line
# tool, a CMake package (find_package(tipolaria) gives tipolaria::tipolaria)
# and a pkg-config file.
include(CMakePackageConfigHelpers)

install(TARGETS tipolaria EXPORT tipolariaTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS tipolaria_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/tipolaria
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(tipolaria_cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/tipolaria)
install(EXPORT tipolariaTargets NAMESPACE tipolaria:: DESTINATION ${tipolaria_cmake_dir})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/tipolariaConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/tipolariaConfig.cmake
                              INSTALL_DESTINATION ${tipolaria_cmake_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/tipolariaConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/tipolariaConfig.cmake
              ${PROJECT_BINARY_DIR}/tipolariaConfigVersion.cmake
        DESTINATION ${tipolaria_cmake_dir})

# The pkg-config file names its prefix relative to its own folder, so the
# package works wherever it is installed (cmake --install --prefix DIR).
file(RELATIVE_PATH pc_up /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" pc_up "${pc_up}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/tipolaria.pc.in ${PROJECT_BINARY_DIR}/tipolaria.pc
               @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/tipolaria.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
