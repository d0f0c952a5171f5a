# trev_embed_file(<target> INPUT <file> NAME <array> HEADER <include>)
# Adds to the target a source, made at build time, holding the file's bytes as
# the array the header declares; it is made again whenever the file changes.
function(trev_embed_file target)
  cmake_parse_arguments(E "" "INPUT;NAME;HEADER" "" ${ARGN})
  get_filename_component(input ${E_INPUT} ABSOLUTE)
  get_filename_component(stem ${input} NAME_WE)
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${stem}_data.cpp)
  set(script ${CMAKE_SOURCE_DIR}/cmake/embed_file.cmake)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${input} -DOUTPUT=${output} -DHEADER=${E_HEADER} -DNAME=${E_NAME} -P ${script}
    DEPENDS ${input} ${script}
    COMMENT "Embedding ${E_INPUT}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
endfunction()
