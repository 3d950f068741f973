# The Windows installer, velbarino-<version>-windows-<arch>.msi in the build
# folder, built with every build of the program by wixl (msitools). Its codes
# follow from the version and the architecture, and its dates from
# VELBARINO_EPOCH, so that two builds of one source give the same bytes.
find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
find_program(FAKETIME faketime)
if(NOT WIXL OR NOT MSIBUILD OR NOT FAKETIME)
    message(WARNING "wixl, msibuild or faketime missing: no Windows installer")
    return()
endif()

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86")
    set(VELBARINO_MSI_ARCH x86)
else()
    set(VELBARINO_MSI_ARCH x64)
endif()
# One upgrade code for every version and both architectures: a newer
# Velbarino replaces whichever one the user has.
set(VELBARINO_MSI_UPGRADE_CODE 1BBC0F87-1CDA-4803-BA7D-87A58D169C01)
set(namespace FB1B5477-C86D-4594-9986-08D1E8CF2E17)
string(UUID VELBARINO_MSI_PRODUCT_CODE NAMESPACE ${namespace}
       NAME "product ${PROJECT_VERSION} ${VELBARINO_MSI_ARCH}" TYPE SHA1 UPPER)
string(UUID VELBARINO_MSI_PACKAGE_CODE NAMESPACE ${namespace}
       NAME "package ${PROJECT_VERSION} ${VELBARINO_MSI_ARCH} ${VELBARINO_EPOCH}" TYPE SHA1 UPPER)
# A component keeps its code for as long as it installs the same things to the same place.
foreach(component PROGRAMS PROGRAM SHORTCUT)
    string(UUID VELBARINO_MSI_GUID_${component} NAMESPACE ${namespace}
           NAME "component ${component} ${VELBARINO_MSI_ARCH}" TYPE SHA1 UPPER)
endforeach()

set(VELBARINO_MSI ${PROJECT_BINARY_DIR}/velbarino-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR}.msi)
set(VELBARINO_MSI_WXS ${CMAKE_CURRENT_BINARY_DIR}/velbarino.wxs)
set(VELBARINO_MSI_STAGE ${CMAKE_CURRENT_BINARY_DIR}/msi-stage)
configure_file(${PROJECT_SOURCE_DIR}/app/velbarino.wxs.in ${VELBARINO_MSI_WXS} @ONLY)
add_custom_command(
    OUTPUT ${VELBARINO_MSI}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/make-msi.sh ${VELBARINO_MSI} ${VELBARINO_MSI_WXS} ${VELBARINO_MSI_ARCH}
            ${VELBARINO_MSI_PACKAGE_CODE} ${VELBARINO_EPOCH} ${VELBARINO_MSI_STAGE}
            $<TARGET_FILE:velbarino>=velbarino.exe ${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt
            ${PROJECT_SOURCE_DIR}/app/LEGGIMI.txt=LEGGIMI.txt ${PROJECT_SOURCE_DIR}/data/icons/velbarino.ico=velbarino.ico
    DEPENDS velbarino ${VELBARINO_MSI_WXS} ${PROJECT_SOURCE_DIR}/tools/make-msi.sh ${PROJECT_SOURCE_DIR}/LICENSE
            ${PROJECT_SOURCE_DIR}/app/LEGGIMI.txt ${PROJECT_SOURCE_DIR}/data/icons/velbarino.ico
    COMMENT "Building the Windows installer ${VELBARINO_MSI}"
    VERBATIM)
add_custom_target(velbarino_msi ALL DEPENDS ${VELBARINO_MSI})
