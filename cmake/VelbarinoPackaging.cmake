# 'make package' (cpack -G DEB in the build folder): a Debian package of the
# program with its launcher, icons, metainfo, manual page, copyright and
# changelog; library dependencies are worked out by dpkg-shlibdeps.
# (The Windows builds make their zip and installer themselves:
# cmake/VelbarinoWindowsPackages.cmake.)
if(WIN32)
    return()
endif()
set(CPACK_PACKAGE_NAME velbarino)
set(CPACK_PACKAGE_VENDOR "Velbarino contributors")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "compute and verify EAN-8 and EAN-13 check digits")
# Debian wants the extended description in lines of at most 80 characters.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Velbarino is a small window, in Italian, for shop and warehouse clerks"
    "who type, paste or scan barcode numbers all day."
    "."
    "It computes the check digit of a 12-digit EAN-13 body or a 7-digit EAN-8"
    "body, and verifies a complete 13- or 8-digit code, showing the corrected"
    "code when it is wrong. Typed, the field takes only digits, up to the"
    "length of the code; a code pasted with Ctrl+V is cut to that length and"
    "refused if it holds anything else. Results are spoken to screen readers.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Velbarino contributors <maintainers@velbarino.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velbarino.org/")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time rather than linked, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The folders in the package as Debian has them, whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
# Strip as Debian does, sections the program never reads included.
set(CPACK_VELBARINO_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/VelbarinoDebianStrip.cmake)
include(CPack)
