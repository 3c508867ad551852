# The Debian package, made by CPack from the installed tree: `make package`.
# Native package: its version is the program's, its changelog changelog.gz.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tirlo)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Whatever the builder's umask, the package holds rwxr-xr-x directories.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PACKAGE_CONTACT "Tirlo developers <dev@tirlo.example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "dice roller with a French interface")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
Tirlo reads a dice formula such as 3d6/4+2d8+1 (the best three of four
six-sided dice, plus two eight-sided dice, plus one) and shows its total
in a small window. A help window lists the forms a formula may take.

The interface is in French. Tirlo keeps no files and needs no network.]])

# dpkg-shlibdeps finds the libraries the program links to. Qt loads its
# platform plugin at run time, so the X11 one must be named here; the
# Wayland one and Qt's own French texts are welcome but not required.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/require_shlibdeps.cmake)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")

include(CPack)
