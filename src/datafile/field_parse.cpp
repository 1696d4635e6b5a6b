#include "datafile/field_parse.h"

#include <cstdlib>
#include <string>

bool fp_isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view fp_trimLeft(std::string_view s)
{
    size_t b = 0;
    while (b < s.size() && fp_isSpace(s[b]))
        ++b;
    return s.substr(b);
}

std::string_view fp_trim(std::string_view s)
{
    s = fp_trimLeft(s);
    size_t e = s.size();
    while (e > 0 && fp_isSpace(s[e - 1]))
        --e;
    return s.substr(0, e);
}

bool fp_uint(std::string_view s, unsigned& value)
{
    size_t i = 0;
    if (i < s.size() && s[i] == '+')
        ++i;
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
        return false;
    unsigned long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        v = v * 10 + unsigned(s[i] - '0');
        if (v > 4294967295ULL)
            return false;
    }
    value = unsigned(v);
    return true;
}

double fp_double(std::string_view s)
{
    const std::string text(s);
    return std::strtod(text.c_str(), nullptr);
}
