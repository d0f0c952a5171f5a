# Windows builds. Cross-built on Linux: the libraries scripts/build-qt-windows made,
# the database client's C header of the build machine, and Wine to run the tests.
# Natively on Windows: an installed Qt 6 (CMAKE_PREFIX_PATH) and the header of an
# installed Firebird client.
if(CMAKE_CROSSCOMPILING)
  set(TREV_WINDOWS_CACHE "$ENV{HOME}/.cache/trevalmonte-windows" CACHE PATH
      "Where scripts/build-qt-windows keeps Qt, libjpeg and GoogleTest for Windows")
  list(APPEND CMAKE_FIND_ROOT_PATH ${TREV_WINDOWS_CACHE}/qt ${TREV_WINDOWS_CACHE}/jpeg ${TREV_WINDOWS_CACHE}/gtest)
  find_program(TREV_WINE NAMES wine64 PATHS /usr/lib/wine REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TREV_WINE})
  find_path(TREV_CLIENT_HEADER_DIR ibase.h PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH REQUIRED)
  # Only this header: the rest of /usr/include is Linux's.
  file(COPY ${TREV_CLIENT_HEADER_DIR}/ibase.h DESTINATION ${CMAKE_BINARY_DIR}/client-header)
  include_directories(SYSTEM ${CMAKE_BINARY_DIR}/client-header)
else()
  find_path(TREV_CLIENT_HEADER_DIR ibase.h
            PATHS "C:/Program Files/Firebird/Firebird_3_0/include" "C:/Program Files/Firebird/include" REQUIRED)
  include_directories(SYSTEM ${TREV_CLIENT_HEADER_DIR})
endif()
