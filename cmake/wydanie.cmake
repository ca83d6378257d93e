# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Makes the release of the checked-out commit in build/release/: the source
# tarball (git archive), and built from that tarball, unpacked without git,
# the .deb, the Windows zip and installer and the web site as a zip, with
# SHA256SUMS over them. The same commit gives the same files, bit for bit.
#   cmake -P cmake/wydanie.cmake        (make release), from the sources' top
cmake_minimum_required(VERSION 3.25)
set(zrodla ${CMAKE_CURRENT_LIST_DIR}/..)
cmake_path(NORMAL_PATH zrodla)
set(wyjscie ${zrodla}build/release)
set(budowa ${zrodla}build/release-zrodla)

function(wykonaj)
    execute_process(COMMAND ${ARGN} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

file(READ ${zrodla}CMakeLists.txt projekt)
string(REGEX MATCH "project\\(wirlok[ \n]+VERSION ([0-9.]+)" _ "${projekt}")
set(wersja ${CMAKE_MATCH_1})
set(PROJECT_SOURCE_DIR ${zrodla})
set(PROJECT_VERSION ${wersja})
include(${zrodla}cmake/wersja.cmake)
if(NOT WIRLOK_NEWS_WERSJA STREQUAL wersja)
    message(FATAL_ERROR "No release of version ${wersja} without its entry in NEWS.md")
endif()
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoka $ENV{SOURCE_DATE_EPOCH})
else()
    set(epoka ${WIRLOK_NEWS_EPOKA})
endif()
set(nazwa wirlok-${wersja})

execute_process(COMMAND git status --porcelain --untracked-files=no WORKING_DIRECTORY ${zrodla}
    OUTPUT_VARIABLE zmiany COMMAND_ERROR_IS_FATAL ANY)
if(zmiany)
    message(WARNING "Uncommitted changes are not in the release: it is made of the last commit")
endif()

file(REMOVE_RECURSE ${wyjscie} ${budowa})
file(MAKE_DIRECTORY ${wyjscie} ${budowa})
wykonaj(git -C ${zrodla} archive --format=tar.gz --prefix=${nazwa}/ -o ${wyjscie}/${nazwa}.tar.gz HEAD)
file(ARCHIVE_EXTRACT INPUT ${wyjscie}/${nazwa}.tar.gz DESTINATION ${budowa})
set(drzewo ${budowa}/${nazwa})

# From the unpacked tarball, as a packager builds it.
function(zbuduj preset)
    execute_process(COMMAND ${CMAKE_COMMAND} --preset ${preset} -DBUILD_TESTING=OFF ${ARGN}
        WORKING_DIRECTORY ${drzewo} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${CMAKE_COMMAND} --build --preset ${preset}
        WORKING_DIRECTORY ${drzewo} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endfunction()
function(spakuj preset)
    execute_process(COMMAND cpack WORKING_DIRECTORY ${drzewo}/build/${preset} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
endfunction()
zbuduj(wydanie)
spakuj(wydanie)
zbuduj(windows -DWIRLOK_BENCH=OFF)
spakuj(windows)
zbuduj(web)

# The site in a folder of the release's name, every file dated as the build.
file(COPY ${drzewo}/build/web/site/ DESTINATION ${budowa}/${nazwa}-web)
file(GLOB_RECURSE strona RELATIVE ${budowa} ${budowa}/${nazwa}-web/*)
list(SORT strona)
execute_process(COMMAND touch -d @${epoka} ${strona}
    WORKING_DIRECTORY ${budowa} COMMAND_ERROR_IS_FATAL ANY)
# zip -X: no extra fields, which would carry each file's change time.
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q ${wyjscie}/${nazwa}-web.zip ${strona}
    WORKING_DIRECTORY ${budowa} COMMAND_ERROR_IS_FATAL ANY)

file(GLOB deb ${drzewo}/build/wydanie/wirlok_${wersja}_*.deb)
file(COPY ${deb} ${drzewo}/build/windows/${nazwa}-windows-x64.zip ${drzewo}/build/windows/${nazwa}-x64.msi
    DESTINATION ${wyjscie})

file(GLOB pliki RELATIVE ${wyjscie} ${wyjscie}/*)
list(SORT pliki)
set(sumy "")
foreach(plik IN LISTS pliki)
    file(SHA256 ${wyjscie}/${plik} suma)
    string(APPEND sumy "${suma}  ${plik}\n")
endforeach()
file(WRITE ${wyjscie}/SHA256SUMS "${sumy}")
message(STATUS "Release ${wersja} in ${wyjscie}:\n${sumy}")
