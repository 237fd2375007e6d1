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
# Debian keeps games in /usr/games: scripts/package configures the package's
# build with CMAKE_INSTALL_BINDIR=games.
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps finds the libraries and, through their shlibs files, also
# QtWebEngineProcess (libqt6webenginecore6-bin). The plugins Qt loads at run
# time ship in packages already found: xcb, its GL integration and the image
# formats in libqt6gui6, the SVG image plugin in libqt6svg6. Not linked at all,
# and so listed here: the font the windows ask for, whose metric twin is
# IPA P Gothic.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
# Without it Qt falls back from a Wayland session to X11 through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# CPack puts the summary on the first line and indents the rest as Debian wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "gridlore plays Conway's Game of Life. Its window shows a board of up to
150 by 120 cells below a panel of controls: click cells to bring them to
life, advance the board one generation at a time or let a timer run it,
and watch the generation counter.

Boards can be saved to plain text files and read back; Read also opens
the usual RLE, plaintext and Life 1.05/1.06 pattern files, and a collection
of well-known patterns comes with the program. A help page explains the
rules and famous patterns. The user interface is in Japanese.")

include(CPack)
