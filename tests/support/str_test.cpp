#include <cstring>

#include "support/str.h"
#include "test_util.h"

TEST(Str, TrimmingAndPathTests)
{
    char a[] = "  a b  ", blanks[] = " \t\r\n ", left[] = "\t x ", right[] = " x \r\n";
    EXPECT_STREQ(str_trim(a), "a b");
    EXPECT_STREQ(str_trim(blanks), "");
    EXPECT_STREQ(str_trimLeft(left), "x ");
    EXPECT_STREQ(str_trimRight(right), " x");
    EXPECT_TRUE(strchr_notSpace("   ") == nullptr && strrchr_notSpace("") == nullptr);
    EXPECT_TRUE(str_isdigit("") && !str_isdigit(" 1"));
    EXPECT_TRUE(str_fpath("world.dat") == nullptr && str_fpath("maps/world.dat") != nullptr);
}

TEST(Str, JoinsWithOneSlashAndNeverWritesPastTheBuffer)
{
    const char* joins[][3] = {{"/home/u/", "/Documents", "/home/u/Documents"},
                              {"/home/u", "Documents", "/home/u/Documents"},
                              {"", "a", "a"},
                              {"x", "", "x"}};
    for (const auto& j : joins) {
        char buf[TEXT_CAP];
        std::strcpy(buf, j[0]);
        EXPECT_STREQ(strcat_fpath(buf, j[1]), j[2]) << j[0] << " + " << j[1];
    }
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
