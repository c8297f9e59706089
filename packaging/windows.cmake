# The Windows installer, velmarin-setup.exe, made with NSIS beside
# velmarin.exe. The licences it installs come as Windows text files; Qt's own
# and its libraries' notices from the Qt built by tools/build-windows.
find_program(MAKENSIS makensis)
set(qt_licenses ${QT6_INSTALL_PREFIX}/share/velmarin/licenses)
if(NOT MAKENSIS OR NOT EXISTS ${qt_licenses}/qt-source-version)
    message(STATUS "No Windows installer: it needs makensis and a Qt built by tools/build-windows")
    return()
endif()

set(staged ${CMAKE_CURRENT_BINARY_DIR}/installer)
function(velmarin_windows_text from to)
    file(READ ${from} text)
    string(REPLACE "\r\n" "\n" text "${text}")
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${staged}/${to} "${text}")
endfunction()
file(STRINGS ${qt_licenses}/qt-source-version VELMARIN_QT_SOURCE LIMIT_COUNT 1)
string(REPLACE "+" "%2B" VELMARIN_QT_SOURCE_URL "${VELMARIN_QT_SOURCE}")
set(VELMARIN_QT_VERSION ${Qt6_VERSION})
set(VELMARIN_QT_TRANSLATIONS_SOURCE "qt6-translations")
if(EXISTS ${VELMARIN_QT_TRANSLATIONS}/source)
    file(STRINGS ${VELMARIN_QT_TRANSLATIONS}/source VELMARIN_QT_TRANSLATIONS_SOURCE LIMIT_COUNT 1)
    string(REPLACE "_" " " VELMARIN_QT_TRANSLATIONS_SOURCE "${VELMARIN_QT_TRANSLATIONS_SOURCE}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/windows/LICENSES.txt.in ${staged}/LICENSES.unix @ONLY)
velmarin_windows_text(${staged}/LICENSES.unix LICENSES.txt)
velmarin_windows_text(${PROJECT_SOURCE_DIR}/COPYING COPYING.txt)
velmarin_windows_text(${qt_licenses}/LGPL-3.0-only.txt Qt-LGPL-3.0.txt)
velmarin_windows_text(${qt_licenses}/third-party.txt Qt-third-party.txt)

set(setup ${PROJECT_BINARY_DIR}/velmarin-setup.exe)
set(nsi ${CMAKE_CURRENT_LIST_DIR}/windows/installer.nsi)
add_custom_command(OUTPUT ${setup}
    COMMAND ${MAKENSIS} -V2 -NOCD
        -DVERSION=${PROJECT_VERSION} -DVERSION_NUMBERS=${VELMARIN_VERSION_NUMBERS}
        -DEXE=$<TARGET_FILE:velmarin> -DICON=${PROJECT_SOURCE_DIR}/data/icons/velmarin.ico
        -DLICENSES=${staged} -DOUTFILE=${setup} ${nsi}
    DEPENDS velmarin ${nsi} ${staged}/LICENSES.txt
    COMMENT "Making the installer velmarin-setup.exe"
    VERBATIM)
add_custom_target(installer ALL DEPENDS ${setup})
