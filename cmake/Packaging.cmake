# `cpack -G DEB` in a Release build makes the Debian package. Its dependencies come from
# dpkg-shlibdeps (package dpkg-dev; CPack also needs `file`).
set(CPACK_PACKAGE_NAME coilsmith)
set(CPACK_PACKAGE_VENDOR "The Coilsmith developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Design power inductors (chokes) on iron-powder cores")
set(CPACK_PACKAGE_DESCRIPTION
    "Coilsmith designs power inductors that carry a DC current with a triangular ripple: \
minimum core area product, choice of an iron-powder E-core or toroid and its mix from a \
catalogue, and the winding with its losses, weight and temperature rise. A core adviser \
ranks every core and material of the catalogue; coilsmith-cli runs designs without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Coilsmith developers <coilsmith@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
