// Whitespace trimming and path helpers over NUL-terminated byte strings.
// Whitespace is what isspace accepts in the C locale.
#pragma once
#include <cstddef>
#include "support/types.h"

const char* strchr_notSpace(const char* s);
const char* strrchr_notSpace(const char* s);
char* str_trimLeft(char* s);
char* str_trimRight(char* s);
char* str_trim(char* s);
// True when every character is a decimal digit; the empty string counts.
bool str_isdigit(const char* s);
// s when it contains a '/', else null: tells a path from a bare file name.
const char* str_fpath(const char* s);
// Appends name to dst (a buffer of cap bytes) with exactly one '/' between
// them; the result is cut to fit and stays terminated.
char* strcat_fpath(char* dst, const char* name, size_t cap = TEXT_CAP);
// Copies at most cap - 1 characters and always terminates; returns dst.
char* str_copy(char* dst, const char* src, size_t cap);
// The shortest decimal text (at most 17 significant digits, as printf's
// %g writes them) that reads back as exactly v; -0 is written as 0.
char* str_real(char* dst, size_t cap, double v);
