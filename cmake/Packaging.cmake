# `cpack -G DEB` in a Release build makes the Debian package. Its dependencies come from
# dpkg-shlibdeps (package dpkg-dev; CPack also needs `file`). packaging/check-install.sh
# checks it, lintian included.
set(CPACK_PACKAGE_NAME coilsmith)
set(CPACK_PACKAGE_VENDOR "The Coilsmith developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design power inductors (chokes) on iron-powder cores")
# The extended description: CPack puts the summary above it, starts each line with a space
# and turns each empty line into the full stop Debian separates paragraphs with. Lines stay
# under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Coilsmith designs power inductors that carry a DC current with a triangular
ripple. From the inductance, the currents, the ripple frequency and the allowed
flux density, current density and window utilisation it computes the minimum
core area product, lets you pick an iron-powder E-core or toroid and its
material from a catalogue, and designs the winding: the turns (searched against
a permeability that falls with DC bias), wire gauge, copper and core loss,
weight and temperature rise.

A core adviser designs and ranks every core and material of the catalogue; a
design check recomputes a finished design on the maker's DC-bias curve, the
real winding build and hot copper. Designs are 40-line text files and print as
a two-page report.

coilsmith-cli does the same without a display (design, check, rank, report),
with table, CSV and JSON output.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${COILSMITH_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The Coilsmith developers <coilsmith@example.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Folders 0755 whatever the umask of the build: Debian's permissions.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
