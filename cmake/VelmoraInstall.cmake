# Where `cmake --install` puts the program and its files, and the Debian
# package that CPack makes of the same (scripts/package).
#
# The program finds its shipped files from its own folder: <prefix>/bin/velmora
# reads <prefix>/share/velmora, so the layout below is fixed.

set(VELMORA_PACKAGE_MAINTAINER "Velmora developers <velmora@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

# Installing never builds: the package is made from the tree that scripts/build made.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(velmora_pkg ${PROJECT_BINARY_DIR}/packaging)
configure_file(packaging/changelog.in ${velmora_pkg}/changelog @ONLY)
configure_file(packaging/velmora.1 ${velmora_pkg}/velmora.1 @ONLY)
foreach(doc changelog velmora.1)
  add_custom_command(
    OUTPUT ${velmora_pkg}/${doc}.gz
    COMMAND gzip -9nf -k ${velmora_pkg}/${doc}
    DEPENDS ${velmora_pkg}/${doc}
    VERBATIM)
  list(APPEND velmora_docs ${velmora_pkg}/${doc}.gz)
endforeach()
add_custom_target(velmora_docs ALL DEPENDS ${velmora_docs})

install(TARGETS velmora RUNTIME DESTINATION bin)
install(FILES packaging/velmora.desktop DESTINATION share/applications)
install(FILES ${PROJECT_BINARY_DIR}/icons/velmora.svg DESTINATION share/icons/hicolor/scalable/apps)
foreach(side IN LISTS VELMORA_ICON_SIZES)
  install(FILES ${PROJECT_BINARY_DIR}/icons/velmora-${side}.png
          DESTINATION share/icons/hicolor/${side}x${side}/apps RENAME velmora.png)
endforeach()
install(FILES assets/sounds/Allarme.wav assets/sounds/Messaggio.wav ${VELMORA_HELP_PDF}
        DESTINATION share/velmora)
install(FILES ${velmora_pkg}/velmora.1.gz DESTINATION share/man/man1)
install(FILES packaging/copyright DESTINATION share/doc/velmora)
install(FILES ${velmora_pkg}/changelog.gz DESTINATION share/doc/velmora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_CONTACT "${VELMORA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "deadline register of a school office")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora keeps the dated deadlines of a school office in one Firebird\n"
    "database shared by every workstation. It lives in the notification area,\n"
    "raises an alarm window with a sound when a deadline falls due, and can\n"
    "send deadlines by e-mail. It also keeps holidays, annual deadlines, users\n"
    "and short messages between workstations, prints its lists, and copies and\n"
    "restores the database. The interface is in Italian.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VELMORA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The embedded engine opens the database without a server; Qt's own Italian
# texts make its buttons read "Sì", "No", "Annulla"; the printed lists are
# laid out in millimetres for Liberation Sans, whose widths are Arial's.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "firebird3.0-server-core, qt6-translations-l10n, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "firebird3.0-server")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
