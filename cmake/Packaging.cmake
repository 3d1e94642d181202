# `cpack -G DEB` in the build folder: kiv-manager_<version>_<arch>.deb, installing under
# /usr, its dependencies found from the binaries by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME ${KIV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Kiv Manager developers")
set(CPACK_PACKAGE_CONTACT ${KIV_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "manager for the NVM sections of Sony J5, J7 and Z7 phones")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its windowing-system plugins at run time, so no library dependency names them;
# the windows ask for Arial, which Liberation Sans stands in for.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-liberation2, qt6-translations-l10n")
# A vendor's Windows phone-link library runs in a Windows link host under Wine: wine64 runs
# the 64-bit one, wine with wine32 the 32-bit one.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine64, wine, wine32")
# Lines within 80 columns, as Debian wants them.
set(CPACK_PACKAGE_DESCRIPTION [=[
Kiv Manager shows the numbered files, called sections, that the Kiv-series
firmware modification keeps in the phone's non-volatile memory, one row per
slot: programs with their name, format and icon, LZO-compressed programs,
GIF pictures, ringers, libraries and data. It uploads, downloads, clears,
previews, compresses and converts them, uploads the modification's
extension libraries and edits its preferences.

The package ships a virtual phone in place of the phone-link library, so
the manager and its command-line companion kivnvm run without a phone.]=])

include(CPack)
