#include <cstring>

#include "support/str.h"
#include "test_util.h"

TEST(Str, TrimmingLeavesTheInnerText)
{
    char a[] = "  a b  ";
    EXPECT_STREQ(str_trim(a), "a b");
    char blanks[] = " \t\r\n ";
    EXPECT_STREQ(str_trim(blanks), "");
    char left[] = "\t x ";
    EXPECT_STREQ(str_trimLeft(left), "x ");
    char right[] = " x \r\n";
    EXPECT_STREQ(str_trimRight(right), " x");
    EXPECT_EQ(strchr_notSpace("   "), nullptr);
    EXPECT_EQ(strrchr_notSpace(""), nullptr);
    const char* s = " ab ";
    EXPECT_EQ(strchr_notSpace(s), s + 1);
    EXPECT_EQ(strrchr_notSpace(s), s + 2);
}

TEST(Str, DigitsAndPaths)
{
    EXPECT_TRUE(str_isdigit(""));
    EXPECT_TRUE(str_isdigit("0123"));
    EXPECT_FALSE(str_isdigit("12a"));
    EXPECT_FALSE(str_isdigit(" 1"));
    EXPECT_EQ(str_fpath("world.dat"), nullptr);
    const char* rel = "maps/world.dat";
    EXPECT_EQ(str_fpath(rel), rel);
    EXPECT_NE(str_fpath("/x"), nullptr);
}

TEST(Str, JoinsPathsWithExactlyOneSlash)
{
    char a[TEXT_CAP] = "/home/u/";
    EXPECT_STREQ(strcat_fpath(a, "/Documents"), "/home/u/Documents");
    char b[TEXT_CAP] = "/home/u";
    EXPECT_STREQ(strcat_fpath(b, "Documents"), "/home/u/Documents");
    char c[TEXT_CAP] = "";
    EXPECT_STREQ(strcat_fpath(c, "a"), "a");
    char d[TEXT_CAP] = "/x/";
    EXPECT_STREQ(strcat_fpath(d, "y"), "/x/y");
    char e[TEXT_CAP] = "x";
    EXPECT_STREQ(strcat_fpath(e, ""), "x");
}

TEST(Str, JoinAndCopyNeverWritePastTheBuffer)
{
    char buf[16];
    std::memset(buf, 'X', sizeof buf);
    std::strcpy(buf, "abc");
    strcat_fpath(buf, "defghijk", 8);
    EXPECT_STREQ(buf, "abc/def");
    for (size_t i = 8; i < sizeof buf; ++i)
        EXPECT_EQ(buf[i], 'X') << i;
    char full[4] = "abc";
    EXPECT_STREQ(strcat_fpath(full, "d", sizeof full), "abc");
    char dst[5];
    EXPECT_STREQ(str_copy(dst, "123456", sizeof dst), "1234");
}
