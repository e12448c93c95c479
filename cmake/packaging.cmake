# The Debian package of the installed layout under /usr: `cpack -G DEB` in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sonaru)
set(CPACK_PACKAGE_CONTACT "Sonaru maintainers <maintainers@sonaru.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "save and restore the sound mixer levels")
set(CPACK_PACKAGE_DESCRIPTION "Sonaru saves and restores the levels and mute states of the first sound
mixer's six channels (master, microphone, wave, line-in, CD, MIDI), from a small
window or from the command line: at once, after a delay, or at each login.")
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The install runs with the prefix /usr itself, which the login restore unit writes into its ExecStart,
# and the staging folder only as DESTDIR.
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
# The package depends on the packages of the libraries the program links (dpkg-shlibdeps, from dpkg-dev),
# and on libsndfile, which the window loads with its first sound.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS libsndfile1)
include(CPack)
