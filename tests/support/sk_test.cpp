#include "support/sk.h"
#include "test_util.h"

TEST(Sk, Decimal)
{
    EXPECT_EQ(sk_isdec("-12"), 10);
    EXPECT_EQ(sk_isdec("+7"), 10);
    EXPECT_EQ(sk_isdec("12 "), 10);
    EXPECT_EQ(sk_isdec("0"), 10);
    EXPECT_EQ(sk_isdec("12a"), 0);
    EXPECT_EQ(sk_isdec("+"), 0);
    EXPECT_EQ(sk_isdec(""), 0);
    EXPECT_EQ(sk_isdec(" 12"), 0);
    EXPECT_EQ(sk_isdec("1.5"), 0);
}

TEST(Sk, OctalNeedsItsPrefixWhenAsked)
{
    EXPECT_EQ(sk_isoct("0", 1), 0);
    EXPECT_EQ(sk_isoct("17", 1), 0);
    EXPECT_EQ(sk_isoct("08", 1), 0);
    EXPECT_EQ(sk_isoct("017", 1), 8);
    EXPECT_EQ(sk_isoct("-017", 1), 8);
    EXPECT_EQ(sk_isoct("00", 1), 8);
    EXPECT_EQ(sk_isoct("17", 0), 8);
    EXPECT_EQ(sk_isoct("017 ", 1), 8);
}

TEST(Sk, HexadecimalPrefixes)
{
    EXPECT_EQ(sk_ishex("$ff", 1), 16);
    EXPECT_EQ(sk_ishex("0xFF", 1), 16);
    EXPECT_EQ(sk_ishex("-0x1f", 1), 16);
    EXPECT_EQ(sk_ishex("ff", 1), 0);
    EXPECT_EQ(sk_ishex("0x", 1), 0);
    EXPECT_EQ(sk_ishex("ff", 0), 16);
    EXPECT_EQ(sk_ishex("0xfg", 1), 0);
    EXPECT_EQ(sk_hextol("0x1F"), 31);
    EXPECT_EQ(sk_hextol("$1F"), 31);
    EXPECT_EQ(sk_hextol("-0x1f"), -31);
    EXPECT_EQ(sk_hextol("-$1f"), -31);
}

TEST(Sk, Real)
{
    EXPECT_EQ(sk_isreal("1."), 1);
    EXPECT_EQ(sk_isreal(".5"), 1);
    EXPECT_EQ(sk_isreal("-2e-3"), 1);
    EXPECT_EQ(sk_isreal("7"), 1);
    EXPECT_EQ(sk_isreal("2E+10"), 1);
    EXPECT_EQ(sk_isreal("."), 0);
    EXPECT_EQ(sk_isreal("1e"), 0);
    EXPECT_EQ(sk_isreal("e5"), 0);
    EXPECT_EQ(sk_isreal("1.5 "), 0);
    EXPECT_EQ(sk_isreal(""), 0);
    EXPECT_EQ(sk_isreal("1.2.3"), 0);
}
