# The Debian package (scripts/package runs `cpack`): the library with its
# SONAME, the tool, the headers, the CMake and pkg-config files, the README,
# and the print service's systemd unit, installed but not enabled, with its
# configuration in /etc. Dependencies on libraries come from the binaries
# (dpkg-shlibdeps); the drawing font is named, as nothing links it.
set(package_dir ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${package_dir}/tipolaria.service DESTINATION lib/systemd/system)
# The connection string may hold a password: root's alone.
install(FILES ${package_dir}/connection DESTINATION /etc/tipolaria
        PERMISSIONS OWNER_READ OWNER_WRITE)
install(FILES ${package_dir}/default DESTINATION /etc/default RENAME tipolaria)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tipolaria)
set(CPACK_PACKAGE_VENDOR "tipolaria")
set(CPACK_PACKAGE_CONTACT "tipolaria maintainers <tipolaria@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "prints Argentine customs declarations (OM - 1993 SIM) to PDF")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "prints Argentine customs declarations (OM - 1993 SIM) to PDF\n\
The cover page, the item pages and the continuation pages of a declaration,\n\
generated from the customs database (SQL Server through ODBC, or an embedded\n\
SQLite database) into the work table IMP and printed to PDF.\n\
.\n\
The package holds the shared library libtipolaria (C++ and C interfaces,\n\
headers, CMake and pkg-config files), the command-line tool tipolaria, and\n\
the print service `tipolaria serve` with its systemd unit (not enabled).")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# A Debian package lives in /usr, whatever the build installs to otherwise.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "tdsodbc, libsqliteodbc")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${package_dir}/conffiles ${package_dir}/postinst ${package_dir}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
