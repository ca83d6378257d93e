# SPDX-FileCopyrightText: 2026 The Wirlok developers
#
# SPDX-License-Identifier: MIT

# Two builds of the same sources give the same files, wherever they are
# built, from a clone or from the source tarball, with or without git: no
# build or source path goes into them, and every date in them (the .deb's
# file times) is SOURCE_DATE_EPOCH, else the newest NEWS.md entry's.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} ${WIRLOK_NEWS_EPOKA})
endif()
set(WIRLOK_SOURCE_DATE_EPOCH "$ENV{SOURCE_DATE_EPOCH}")

if(NOT MSVC)
    add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/= -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
endif()
