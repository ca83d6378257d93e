# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Assembles the site in STRONA: copies the files of PLIKI there and writes
# the service worker from SW with their names and a digest of their
# contents, so that every change of the site renames its cache.
#   cmake -DSTRONA=dir -DSW=sw.js.in -DPLIKI="file;file;..." -P strona.cmake
file(MAKE_DIRECTORY ${STRONA})
set(LISTA "'./'")
set(tresci "")
foreach(plik IN LISTS PLIKI)
    cmake_path(GET plik FILENAME nazwa)
    file(COPY_FILE ${plik} ${STRONA}/${nazwa} ONLY_IF_DIFFERENT)
    file(SHA256 ${plik} skrot)
    string(APPEND tresci "${nazwa} ${skrot}\n")
    string(APPEND LISTA ", '${nazwa}'")
endforeach()
string(SHA256 SKROT "${tresci}")
string(SUBSTRING ${SKROT} 0 16 SKROT)
configure_file(${SW} ${STRONA}/sw.js @ONLY)
