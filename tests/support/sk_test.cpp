#include "support/sk.h"

#include <cstdlib>
#include <cstring>

#include "support/str.h"
#include "test_util.h"

// Each recogniser returns its base (1 for a real) for its own form, 0 for anything else.
TEST(Sk, RecognisersAcceptOnlyTheirOwnForm)
{
    for (const char* s : {"-12", "+7", "12 ", "0"})
        EXPECT_EQ(sk_isdec(s), 10) << s;
    for (const char* s : {"12a", "+", "", " 12", "1.5"})
        EXPECT_EQ(sk_isdec(s), 0) << s;
    for (const char* s : {"017", "-017", "00", "017 "})
        EXPECT_EQ(sk_isoct(s, 1), 8) << s;
    for (const char* s : {"0", "17", "08"})
        EXPECT_EQ(sk_isoct(s, 1), 0) << s;
    for (const char* s : {"$ff", "0xFF", "-0x1f"})
        EXPECT_EQ(sk_ishex(s, 1), 16) << s;
    for (const char* s : {"ff", "0x", "0xfg"})
        EXPECT_EQ(sk_ishex(s, 1), 0) << s;
    EXPECT_EQ(sk_isoct("17", 0) + sk_ishex("ff", 0), 24);
    for (const char* s : {"1.", ".5", "-2e-3", "7", "2E+10"})
        EXPECT_EQ(sk_isreal(s), 1) << s;
    for (const char* s : {".", "1e", "e5", "1.5 ", "", "1.2.3"})
        EXPECT_EQ(sk_isreal(s), 0) << s;
    for (const char* s : {"0x1F", "$1F", "-0x1f", "-$1f"})
        EXPECT_EQ(sk_hextol(s), s[0] == '-' ? -31 : 31) << s;
}

// Reals convert only from their own form and when finite; the shortest text of a double
// reads back as exactly that double.
TEST(Sk, RealsConvertWhenFiniteAndPrintBackExactly)
{
    double v = 42;
    for (const char* s : {"1e400", "nan", "inf", "0x10", "1.5 ", ""})
        EXPECT_FALSE(sk_toreal(s, &v)) << s;
    EXPECT_TRUE(v == 42 && sk_toreal("010", &v) && v == 10);
    char buf[32];
    for (double d : {0.1 + 0.2, -33.856785123456789, 5e-324, 1.7976931348623157e308})
        EXPECT_EQ(std::strtod(str_real(buf, sizeof buf, d), nullptr), d) << buf;
    EXPECT_TRUE(!strcmp(str_real(buf, sizeof buf, 0.1), "0.1") && !strcmp(str_real(buf, sizeof buf, -0.0), "0"));
}
