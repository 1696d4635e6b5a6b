# Turns the binary file IN into a C++ source OUT that defines
# font_1016pc_mem and font_1016pc_size.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){16})" "\\1\n" bytes "${bytes}")
file(WRITE ${OUT} "// Generated from ${IN}; do not edit.\n#include <cstddef>\n"
  "extern const unsigned char font_1016pc_mem[];\nextern const size_t font_1016pc_size;\n"
  "const unsigned char font_1016pc_mem[] = {\n${bytes}\n};\n"
  "const size_t font_1016pc_size = ${size};\n")
