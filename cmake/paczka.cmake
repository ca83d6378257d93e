# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# The packages: a .deb on Linux, a zip with wirlok.exe on Windows.
set(CPACK_PACKAGE_NAME wirlok)
set(CPACK_PACKAGE_VENDOR "The Wirlok developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "translator of texts to Morse code and Polish scouting ciphers")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

# cpack runs later, in a shell of its own: it gets the build's date here.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_BINARY_DIR}/CPackCzas.cmake)
file(CONFIGURE OUTPUT CPackCzas.cmake CONTENT "set(ENV{SOURCE_DATE_EPOCH} ${WIRLOK_SOURCE_DATE_EPOCH})\n")

if(WIN32)
    set(CPACK_GENERATOR ZIP)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_PACKAGE_FILE_NAME wirlok-${PROJECT_VERSION}-windows-x64)
else()
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    if(NOT WIRLOK_OPIEKUN)
        message(STATUS "No maintainer for the .deb: set DEBFULLNAME and DEBEMAIL, or WIRLOK_OPIEKUN")
    endif()
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${WIRLOK_OPIEKUN}")
    set(CPACK_DEBIAN_PACKAGE_SECTION utils)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The .deb takes what cmake --install takes but the licence file, and
    # Debian's copyright and changelog in its stead.
    set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};wirlok;Unspecified;/;${PROJECT_BINARY_DIR};wirlok;deb;/")
    set(CPACK_DEBIAN_PACKAGE_DEPENDS hicolor-icon-theme)
    # Qt's own Polish texts (the fields' context menu), loaded from the
    # system at start: the program works without them, in Qt's English, and
    # a minimal system is spared 13 MB of every language's Qt texts.
    # qt6-wayland: a Wayland session without XWayland.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
    set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Wirlok translates short texts between plain writing and four classic hand
ciphers: International Morse code and the Polish scouting letter-pair ciphers
GA-DE-RY-PO-LU-KI, KO-NI-EC-MA-TU-RY and FL-AS-HP-OI-NT, in one small window
with a Polish interface. The same button encodes and decodes.
.
Wirlok tłumaczy krótkie teksty na alfabet Morse'a i harcerskie szyfry
Gaderypoluki, Koniecmatury i Flashpoint, i z powrotem, w jednym małym oknie
po polsku. Ten sam przycisk szyfruje i odszyfrowuje.")
endif()
include(CPack)
