# 'make package' (cpack -G DEB in the build folder): a Debian package of the
# program with its launcher, icons and metainfo; library dependencies are
# worked out by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velbarino)
set(CPACK_PACKAGE_VENDOR "Velbarino contributors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compute and verify EAN-8 and EAN-13 check digits")
set(CPACK_PACKAGE_DESCRIPTION
    "Velbarino is a small window, in Italian, for clerks who type or paste barcode numbers: it computes the check digit of an EAN-13 or EAN-8 body and verifies a complete code, showing the corrected code when it is wrong.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velbarino contributors <maintainers@velbarino.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
include(CPack)
