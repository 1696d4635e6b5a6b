// Number conversions shared by the element readers; each works on a view
// and never reads past it.
#pragma once
#include <string_view>

// Whitespace: blank, tab, LF, VT, FF, CR.
bool fp_isSpace(char c);
std::string_view fp_trim(std::string_view s);
std::string_view fp_trimLeft(std::string_view s);
// Optional '+', at least one digit, digits up to the first other character,
// at most 4294967295; the rest is ignored. s must not start with whitespace.
bool fp_uint(std::string_view s, unsigned& value);
// strtod over exactly the characters of s: a text holding no number gives 0.
double fp_double(std::string_view s);
