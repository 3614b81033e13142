# Turns a text resource into a C++ source that holds its bytes, so the
# program carries its catalogues without reading files at run time.
# Usage: cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -P embed_resource.cmake
file(READ "${INPUT}" content HEX)
string(LENGTH "${content}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${content}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.
#include \"i18n/resources.h\"

namespace files::i18n {

namespace {

// The trailing zero keeps the array non-empty; it is not part of the text.
constexpr unsigned char bytes[] = {
    ${bytes}0x00
};

}

std::string_view ${SYMBOL}() { return std::string_view(reinterpret_cast<char const*>(bytes), ${size}); }

}
")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
