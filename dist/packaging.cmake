# A Debian package of the installed tree, built by scripts/package with
#   cpack -G DEB
# Its dependencies are what dpkg-shlibdeps finds in the executable, plus what
# the program loads at run time without linking it.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gridlore)
set(CPACK_PACKAGE_VENDOR "gridlore developers")
set(CPACK_PACKAGE_CONTACT "gridlore developers <gridlore@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Conway's Game of Life in a window")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so invisible to dpkg-shlibdeps:
# - QtWebEngineProcess, the browser's helper process, which the help viewer
#   starts (libqt6webenginecore6 does not pull it in);
# - the xcb platform plugin ships in libqt6gui6, already a shared-library
#   dependency, and the SVG image plugin in libqt6svg6, likewise;
# - the Japanese font the windows ask for, whose metric twin is IPA P Gothic.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6webenginecore6-bin, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Conway's Game of Life in a window
 gridlore plays Conway's Game of Life. Its window shows a board of up to
 150 by 120 cells below a panel of controls: click cells to bring them to
 life, advance the board one generation at a time or let a timer run it,
 and watch the generation counter.
 .
 Boards can be saved to plain text files and read back; Read also opens
 the usual RLE and plaintext Life pattern files. A help page explains the
 rules and famous patterns. The user interface is in Japanese.")

include(CPack)
