# cmake -DINPUT=<file> -DOUTPUT=<.cpp> -DHEADER=<include> -DNAME=<array> -P embed_file.cmake
# Writes the file's bytes as a C++ array NAME with its size NAME##Size, declared in HEADER.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1, " bytes "${hex}")
# Sixteen bytes a line (the regular expressions here know no repeat count).
string(REPEAT "0x.., " 16 line)
string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
string(REGEX REPLACE " +\n" "\n" bytes "${bytes}")
string(REGEX REPLACE "[ \n]+$" "" bytes "${bytes}")
get_filename_component(source "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new"
"// Made at build time from ${source}.
#include \"${HEADER}\"

namespace trev {

const unsigned char ${NAME}[] = {
    ${bytes}
};
const size_t ${NAME}Size = sizeof ${NAME};

}  // namespace trev
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
