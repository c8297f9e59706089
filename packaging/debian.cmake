# The Debian package of the program: cpack --config build/CPackConfig.cmake
# Its library dependencies come from dpkg-shlibdeps of the release it is
# built on.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmarin)
set(CPACK_PACKAGE_VENDOR Velmarin)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exact unit converter for temperature, length and mass")
set(CPACK_PACKAGE_DESCRIPTION "Velmarin converts temperatures, lengths and masses (metric, avoirdupois and
troy) in one window of 24 fields, rounding exactly to 8 decimal places in the
user's locale.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velmarin developers <developers@velmarin.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Native on a Wayland desktop rather than through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)

# What Debian asks of every package: the copyright in its machine-readable
# form and the changelog, compressed without a time stamp.
set(velmarin_docdir ${CMAKE_INSTALL_DATADIR}/doc/velmarin)
add_custom_command(OUTPUT changelog.gz
    COMMAND gzip -9nc ${CMAKE_CURRENT_LIST_DIR}/changelog > changelog.gz
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog)
add_custom_target(changelog ALL DEPENDS changelog.gz)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
    DESTINATION ${velmarin_docdir})

include(CPack)
