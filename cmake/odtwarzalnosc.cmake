# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Two builds of the same commit give the same files, wherever they are built:
# no build or source path goes into them, and every date in them (the .deb's
# file times) is the last commit's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    find_package(Git QUIET)
    if(Git_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE czas_zmiany OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    endif()
    if(czas_zmiany)
        set(ENV{SOURCE_DATE_EPOCH} ${czas_zmiany})
    endif()
endif()
set(WIRLOK_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")

if(NOT MSVC)
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
endif()
