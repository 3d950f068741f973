# What is shipped for Windows, built with every build of the program, in the
# build folder: velbarino-<version>-windows-<arch>.zip (the program, its
# licence and an Italian read-me) and the installer, .msi, built by wixl
# (msitools). The installer's codes follow from the version and the
# architecture, and every date from VELBARINO_EPOCH, so that two builds of one
# source give the same bytes.
find_program(WIXL wixl)
find_program(MSIBUILD msibuild)
find_program(FAKETIME faketime)
find_package(Python3 COMPONENTS Interpreter)
if(NOT WIXL OR NOT MSIBUILD OR NOT FAKETIME OR NOT Python3_FOUND)
    message(WARNING "wixl, msibuild, faketime or python3 missing: no Windows zip or installer")
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

set(package_name velbarino-${PROJECT_VERSION}-windows-${CMAKE_SYSTEM_PROCESSOR})
set(VELBARINO_ZIP ${PROJECT_BINARY_DIR}/${package_name}.zip)
set(VELBARINO_MSI ${PROJECT_BINARY_DIR}/${package_name}.msi)
set(VELBARINO_MSI_WXS ${CMAKE_CURRENT_BINARY_DIR}/velbarino.wxs)
set(VELBARINO_MSI_STAGE ${CMAKE_CURRENT_BINARY_DIR}/windows-stage)
configure_file(${PROJECT_SOURCE_DIR}/app/velbarino.wxs.in ${VELBARINO_MSI_WXS} @ONLY)
set(script ${PROJECT_SOURCE_DIR}/tools/windows-packages.sh)
set(icon ${PROJECT_SOURCE_DIR}/data/icons/velbarino.ico)
add_custom_command(
    OUTPUT ${VELBARINO_ZIP} ${VELBARINO_MSI}
    COMMAND ${script} ${VELBARINO_MSI_STAGE} ${VELBARINO_EPOCH} ${VELBARINO_ZIP} ${VELBARINO_MSI} ${VELBARINO_MSI_WXS}
            ${VELBARINO_MSI_ARCH} ${VELBARINO_MSI_PACKAGE_CODE} ${icon}
            $<TARGET_FILE:velbarino>=velbarino.exe ${PROJECT_SOURCE_DIR}/LICENSE=LICENSE.txt
            ${PROJECT_BINARY_DIR}/app/LEGGIMI.txt=LEGGIMI.txt
    DEPENDS velbarino ${VELBARINO_MSI_WXS} ${script} ${PROJECT_SOURCE_DIR}/tools/make-zip.py
            ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_BINARY_DIR}/app/LEGGIMI.txt ${icon}
    COMMENT "Building ${package_name}.zip and ${package_name}.msi"
    VERBATIM)
add_custom_target(velbarino_windows_packages ALL DEPENDS ${VELBARINO_ZIP} ${VELBARINO_MSI})
