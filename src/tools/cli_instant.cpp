#include "tools/cli_instant.h"

#include <cstdio>
#include <cstring>

bool cli_parseInstant(const char* s, libsgp4::DateTime* out)
{
    static const char s_form[] = "dddd-dd-ddTdd:dd:dd";
    for (int i = 0; s_form[i]; ++i) {
        const bool digit = s[i] >= '0' && s[i] <= '9';
        if (s_form[i] == 'd' ? !digit : s[i] != s_form[i])
            return false;
    }
    int y, mo, d, h, mi, sec, n = 0;
    if (std::sscanf(s, "%4d-%2d-%2dT%2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &sec, &n) != 6 || n != 19)
        return false;
    s += n;
    int us = 0;
    if (*s == '.') {
        int digits = 0;
        for (++s; *s >= '0' && *s <= '9'; ++s, ++digits) {
            if (digits == 6)
                return false;
            us = us * 10 + (*s - '0');
        }
        if (digits == 0)
            return false;
        for (; digits < 6; ++digits)
            us *= 10;
    }
    if (std::strcmp(s, "Z") != 0 || !libsgp4::DateTime::IsValid(y, mo, d, h, mi, sec, us))
        return false;
    *out = libsgp4::DateTime(y, mo, d, h, mi, sec, us);
    return true;
}

char* cli_formatMillis(const libsgp4::DateTime& t, char* buf, size_t cap)
{
    const int64_t ms = (t.Ticks() + 500) / 1000;
    int y, mo, d, h, mi, s, us;
    libsgp4::DateTime(ms * 1000).Decompose(y, mo, d, h, mi, s, us);
    std::snprintf(buf, cap, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ", y, mo, d, h, mi, s, us / 1000);
    return buf;
}
