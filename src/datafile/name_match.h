// Case-insensitive name patterns: '?' matches one character, '*' any run.
#pragma once
#include <string_view>

bool name_match(std::string_view name, std::string_view pattern);
// True when the pattern holds a wildcard ('*' or '?').
bool name_isPattern(std::string_view pattern);
