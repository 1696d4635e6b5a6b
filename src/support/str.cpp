#include "support/str.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static bool is_space(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

const char* strchr_notSpace(const char* s)
{
    for (; *s; ++s)
        if (!is_space(*s))
            return s;
    return nullptr;
}

const char* strrchr_notSpace(const char* s)
{
    const char* last = nullptr;
    for (; *s; ++s)
        if (!is_space(*s))
            last = s;
    return last;
}

char* str_trimLeft(char* s)
{
    const char* p = strchr_notSpace(s);
    if (!p) {
        s[0] = '\0';
        return s;
    }
    if (p != s)
        std::memmove(s, p, std::strlen(p) + 1);
    return s;
}

char* str_trimRight(char* s)
{
    const char* p = strrchr_notSpace(s);
    if (!p)
        s[0] = '\0';
    else
        s[p - s + 1] = '\0';
    return s;
}

char* str_trim(char* s)
{
    return str_trimRight(str_trimLeft(s));
}

bool str_isdigit(const char* s)
{
    for (; *s; ++s)
        if (*s < '0' || *s > '9')
            return false;
    return true;
}

const char* str_fpath(const char* s)
{
    return std::strchr(s, '/') ? s : nullptr;
}

char* str_copy(char* dst, const char* src, size_t cap)
{
    if (cap == 0)
        return dst;
    size_t n = std::strlen(src);
    if (n > cap - 1)
        n = cap - 1;
    std::memmove(dst, src, n);
    dst[n] = '\0';
    return dst;
}

char* strcat_fpath(char* dst, const char* name, size_t cap)
{
    size_t len = std::strlen(dst);
    if (cap == 0 || len >= cap - 1)
        return dst;
    if (len > 0 && name[0] != '\0') {
        bool dstSlash = dst[len - 1] == '/';
        if (dstSlash && name[0] == '/')
            ++name;
        else if (!dstSlash && name[0] != '/') {
            dst[len++] = '/';
            dst[len] = '\0';
        }
    }
    str_copy(dst + len, name, cap - len);
    return dst;
}

char* str_real(char* dst, size_t cap, double v)
{
    v += 0.0;  // -0 becomes 0
    for (int digits = 15; digits <= 17; ++digits) {
        std::snprintf(dst, cap, "%.*g", digits, v);
        if (std::strtod(dst, nullptr) == v)
            break;
    }
    return dst;
}
