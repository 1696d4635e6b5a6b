#include "support/sk.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

static bool is_end(char c)
{
    return c == '\0' || std::isspace(static_cast<unsigned char>(c));
}

static bool is_digit(char c) { return c >= '0' && c <= '9'; }
static bool is_oct(char c) { return c >= '0' && c <= '7'; }
static bool is_hex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

static const char* skip_sign(const char* s)
{
    return (*s == '+' || *s == '-') ? s + 1 : s;
}

// At least one character of the class, then the end of the text or whitespace.
template <typename Pred>
static bool digits_to_end(const char* s, Pred ok)
{
    if (!ok(*s))
        return false;
    while (ok(*s))
        ++s;
    return is_end(*s);
}

int sk_isdec(const char* s)
{
    return digits_to_end(skip_sign(s), is_digit) ? 10 : 0;
}

int sk_isoct(const char* s, int needPrefix)
{
    s = skip_sign(s);
    if (*s == '0')
        ++s;
    else if (needPrefix)
        return 0;
    return digits_to_end(s, is_oct) ? 8 : 0;
}

int sk_ishex(const char* s, int needPrefix)
{
    s = skip_sign(s);
    if (*s == '$')
        ++s;
    else if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s += 2;
    else if (needPrefix)
        return 0;
    return digits_to_end(s, is_hex) ? 16 : 0;
}

int sk_isreal(const char* s)
{
    s = skip_sign(s);
    int digits = 0;
    while (is_digit(*s)) {
        ++s;
        ++digits;
    }
    if (*s == '.') {
        ++s;
        while (is_digit(*s)) {
            ++s;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (*s == 'e' || *s == 'E') {
        s = skip_sign(s + 1);
        if (!is_digit(*s))
            return 0;
        while (is_digit(*s))
            ++s;
    }
    return *s == '\0' ? 1 : 0;
}

bool sk_toreal(const char* s, double* out)
{
    if (!sk_isreal(s))
        return false;
    const double v = std::strtod(s, nullptr);
    if (!std::isfinite(v))
        return false;
    *out = v;
    return true;
}

long sk_hextol(const char* s)
{
    // The sign may stand before the prefix ("-$1f"), as the recogniser allows.
    bool neg = *s == '-';
    if (*s == '-' || *s == '+')
        ++s;
    if (s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        s += 2;
    else if (s[0] == '$')
        ++s;
    long v = std::strtol(s, nullptr, 16);
    return neg ? -v : v;
}
