#include "datafile/name_match.h"

#include <gtest/gtest.h>

TEST(NameMatch, WildcardsAndCase)
{
    EXPECT_TRUE(name_match("ISS (ZARYA)", "iss (zarya)"));
    EXPECT_TRUE(name_match("STARLINK-1008", "STARLINK*"));
    EXPECT_TRUE(name_match("starlink-1008", "STARLINK*"));
    EXPECT_TRUE(name_match("NOAA 19", "NOAA ??"));
    EXPECT_FALSE(name_match("NOAA 9", "NOAA ??"));
    EXPECT_TRUE(name_match("ABCBCD", "*BCD"));      // back-tracking past a partial match
    EXPECT_FALSE(name_match("A-B-D", "*-*-C"));
    EXPECT_TRUE(name_match("", ""));
    EXPECT_FALSE(name_match("A", ""));
    EXPECT_TRUE(name_match("", "**"));
    EXPECT_TRUE(name_match("ANY NAME", "*"));
    EXPECT_TRUE(name_match("A*B", "A*B"));
    EXPECT_TRUE(name_match("\xe9t\xe9", "\xe9*"));  // bytes above 127 compare safely
    EXPECT_TRUE(name_isPattern("A?"));
    EXPECT_TRUE(name_isPattern("A*"));
    EXPECT_FALSE(name_isPattern("ISS (ZARYA)"));
}
