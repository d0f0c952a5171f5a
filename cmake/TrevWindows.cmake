# Windows builds. Cross-built on Linux: the libraries scripts/build-qt-windows made,
# the database client's C header of the build machine, and Wine to run the tests.
# Natively on Windows: an installed Qt 6 (CMAKE_PREFIX_PATH) and the header of an
# installed Firebird client (IBASE_INCLUDE_DIR).
if(CMAKE_CROSSCOMPILING)
  set(TREV_WINDOWS_CACHE "$ENV{HOME}/.cache/trevalmonte-windows" CACHE PATH
      "Where scripts/build-qt-windows keeps Qt, libjpeg and GoogleTest for Windows")
  list(APPEND CMAKE_FIND_ROOT_PATH ${TREV_WINDOWS_CACHE}/qt ${TREV_WINDOWS_CACHE}/jpeg ${TREV_WINDOWS_CACHE}/gtest
       ${TREV_WINDOWS_CACHE}/sodium)
  find_program(TREV_WINE NAMES wine64 PATHS /usr/lib/wine REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TREV_WINE})
  # Only this header of the build machine's: the rest of /usr/include is Linux's.
  find_file(TREV_HOST_IBASE_H ibase.h PATHS /usr/include PATH_SUFFIXES firebird NO_CMAKE_FIND_ROOT_PATH
            NO_DEFAULT_PATH REQUIRED)
  file(COPY ${TREV_HOST_IBASE_H} DESTINATION ${CMAKE_BINARY_DIR}/client-header)
  set(IBASE_INCLUDE_DIR ${CMAKE_BINARY_DIR}/client-header CACHE PATH "The folder of the database client's ibase.h")
endif()
