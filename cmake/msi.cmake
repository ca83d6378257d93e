# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Builds the Windows installer with wixl, the same file from every build of
# the same sources: the files go into the cabinet with the time EPOKA, the
# clock that wixl stamps the package with stands at EPOKA (faketime), and
# the package's code, which wixl would draw at random, is KOD_PACZKI.
#   cmake -DWXS=wirlok.wxs -DMSI=out.msi -DKATALOG=dir -DPLIKI="file;..."
#         -DWERSJA=X.Y.Z -DKOD_PRODUKTU=uuid -DKOD_PACZKI=uuid -DEPOKA=seconds
#         -DWIXL=wixl -DMSIBUILD=msibuild -DFAKETIME=faketime -P msi.cmake
file(REMOVE_RECURSE ${KATALOG})
file(MAKE_DIRECTORY ${KATALOG})
foreach(plik IN LISTS PLIKI WXS)
    file(COPY ${plik} DESTINATION ${KATALOG})
endforeach()
file(GLOB pliki ${KATALOG}/*)
execute_process(COMMAND touch -d @${EPOKA} ${pliki} COMMAND_ERROR_IS_FATAL ANY)

set(ENV{TZ} UTC)
set(ENV{SOURCE_DATE_EPOCH} ${EPOKA})
string(TIMESTAMP zegar "%Y-%m-%d %H:%M:%S" UTC)
cmake_path(GET WXS FILENAME wxs)
execute_process(
    COMMAND ${FAKETIME} -f "${zegar}" ${WIXL} -a x64 -D Wersja=${WERSJA} -D KodProduktu=${KOD_PRODUKTU}
        -o ${MSI} ${wxs}
    COMMAND_ERROR_IS_FATAL ANY
    WORKING_DIRECTORY ${KATALOG})
execute_process(
    COMMAND ${FAKETIME} -f "${zegar}" ${MSIBUILD} ${MSI} -s "Wirlok ${WERSJA}" "The Wirlok developers" "x64;1045"
        "{${KOD_PACZKI}}"
    COMMAND_ERROR_IS_FATAL ANY)
