# The program's icon and, on Windows, its resources: version information, the
# application manifest (resource 1) and the icon.
#
# The icon is the globe of the main window's picture, cut out by trev-make-icon, a
# tool of the build machine: built as a target of this build, or by the build
# machine's own compiler when this build is a cross build.
set(TREV_ICON_PICTURE ${CMAKE_SOURCE_DIR}/src/app/assets/decorative_picture.jpg)
set(TREV_ICON_GLOBE 187.5 160 78)  # centre x, centre y and radius in the picture
set(TREV_PRODUCT_NAME "Atualizador Trevalmonte")
set(TREV_FILE_DESCRIPTION "Atualizador do sistema Trevalmonte")
set(TREV_LEGAL_COPYRIGHT "(C) Os autores do Atualizador Trevalmonte")

set(trev_icon_sources
  ${CMAKE_SOURCE_DIR}/src/app/jpeg_decoder.cpp
  ${CMAKE_SOURCE_DIR}/src/app/resources/ico_file.cpp
  ${CMAKE_SOURCE_DIR}/src/app/resources/make_icon.cpp
  ${CMAKE_SOURCE_DIR}/src/app/resources/round_icon.cpp)

# Sets TREV_MAKE_ICON to the command that runs the tool and TREV_MAKE_ICON_DEPENDS
# to what a step that runs it depends on.
function(trev_icon_tool)
  if(NOT CMAKE_CROSSCOMPILING)
    add_executable(trev-make-icon ${trev_icon_sources})
    target_include_directories(trev-make-icon PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(trev-make-icon PRIVATE JPEG::JPEG)
    set(TREV_MAKE_ICON trev-make-icon PARENT_SCOPE)
    set(TREV_MAKE_ICON_DEPENDS trev-make-icon PARENT_SCOPE)
    return()
  endif()
  find_program(TREV_HOST_CXX NAMES c++ g++ REQUIRED)
  set(tool ${CMAKE_BINARY_DIR}/host/trev-make-icon)
  add_custom_command(OUTPUT ${tool}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${TREV_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -I${CMAKE_SOURCE_DIR}/src ${trev_icon_sources} -ljpeg -o ${tool}
    DEPENDS ${trev_icon_sources}
    COMMENT "Building trev-make-icon for the build machine"
    VERBATIM)
  set(TREV_MAKE_ICON ${tool} PARENT_SCOPE)
  set(TREV_MAKE_ICON_DEPENDS ${tool} PARENT_SCOPE)
endfunction()

# ${CMAKE_BINARY_DIR}/AtuTrev.ico, made again when the picture or the tool changes.
function(trev_program_icon)
  trev_icon_tool()
  set(icon ${CMAKE_BINARY_DIR}/AtuTrev.ico)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${TREV_MAKE_ICON} ${TREV_ICON_PICTURE} ${TREV_ICON_GLOBE} ${icon}
    DEPENDS ${TREV_MAKE_ICON_DEPENDS} ${TREV_ICON_PICTURE}
    COMMENT "Drawing the program's icon"
    VERBATIM)
  add_custom_target(trev_program_icon DEPENDS ${icon})
  set(TREV_ICON_FILE ${icon} PARENT_SCOPE)
endfunction()

# Compiles the version information, manifest and icon into the target (Windows).
function(trev_windows_resources target)
  trev_program_icon()
  set(TREV_MANIFEST_FILE ${CMAKE_BINARY_DIR}/AtuTrev.manifest)
  set(TREV_VERSION_DOTS4 ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  set(TREV_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
  configure_file(${CMAKE_SOURCE_DIR}/src/app/resources/AtuTrev.manifest.in ${TREV_MANIFEST_FILE} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/src/app/resources/AtuTrev.rc.in ${CMAKE_BINARY_DIR}/AtuTrev.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/AtuTrev.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/AtuTrev.rc PROPERTIES
    OBJECT_DEPENDS "${TREV_ICON_FILE};${TREV_MANIFEST_FILE}")
endfunction()
