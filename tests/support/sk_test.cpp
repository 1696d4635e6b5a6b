#include "support/sk.h"
#include "test_util.h"

// A text and what its recogniser must return (the base, 1 for a real, 0 = refused).
struct SkCase {
    const char* s;
    int want;
};

TEST(Sk, RecognisersAcceptOnlyTheirOwnForm)
{
    const SkCase dec[] = {{"-12", 10}, {"+7", 10}, {"12 ", 10}, {"0", 10}, {"12a", 0},
                          {"+", 0},    {"", 0},    {" 12", 0},  {"1.5", 0}};
    for (const SkCase& c : dec)
        EXPECT_EQ(sk_isdec(c.s), c.want) << c.s;
    const SkCase oct[] = {{"0", 0},   {"17", 0},   {"08", 0},    {"017", 8},
                          {"-017", 8}, {"00", 8}, {"017 ", 8}};
    for (const SkCase& c : oct)
        EXPECT_EQ(sk_isoct(c.s, 1), c.want) << c.s;
    const SkCase hex[] = {{"$ff", 16}, {"0xFF", 16}, {"-0x1f", 16}, {"ff", 0}, {"0x", 0}, {"0xfg", 0}};
    for (const SkCase& c : hex)
        EXPECT_EQ(sk_ishex(c.s, 1), c.want) << c.s;
    EXPECT_EQ(sk_isoct("17", 0), 8);
    EXPECT_EQ(sk_ishex("ff", 0), 16);
    const SkCase real[] = {{"1.", 1}, {".5", 1},    {"-2e-3", 1}, {"7", 1}, {"2E+10", 1}, {".", 0},
                           {"1e", 0}, {"e5", 0}, {"1.5 ", 0},  {"", 0}, {"1.2.3", 0}};
    for (const SkCase& c : real)
        EXPECT_EQ(sk_isreal(c.s), c.want) << c.s;
    const SkCase hextol[] = {{"0x1F", 31}, {"$1F", 31}, {"-0x1f", -31}, {"-$1f", -31}};
    for (const SkCase& c : hextol)
        EXPECT_EQ(sk_hextol(c.s), c.want) << c.s;
}
