#include "support/sk.h"
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
