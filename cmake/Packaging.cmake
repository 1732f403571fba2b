# `cpack -G DEB` in a build tree configured with CMAKE_INSTALL_PREFIX=/usr makes the .deb
# (`make package` does both).
set(CPACK_PACKAGE_NAME glinter)
set(CPACK_PACKAGE_VENDOR "The Glinter developers")
set(CPACK_PACKAGE_CONTACT "The Glinter developers <glinter@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "watches the status pages of the services you depend on")
set(CPACK_PACKAGE_DESCRIPTION
    "A meter in the system tray whose colour follows the worst state among the cloud and\n\
software services you depend on, with a panel of every service. Without a tray it runs as\n\
a systemd user service (glinter --headless).")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening pages and the autostart entry go through the desktop's usual tools; Qt's own
# texts (standard buttons, --help's) follow the user's language with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
include(CPack)
