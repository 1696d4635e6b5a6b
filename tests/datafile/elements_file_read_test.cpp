#include <gtest/gtest.h>

#include "datafile/name_match.h"
#include "elements_fixture.h"
#include "objects/objects.h"
#include "sgp4/Tle.h"

TEST(ElementsFileRead, SelectionByNumberAndName)
{
    EXPECT_TRUE(name_match("NOAA 19", "NOAA ??"));
    EXPECT_FALSE(name_match("NOAA 9", "NOAA ??"));
    EXPECT_TRUE(name_match("ABCBCD", "*BCD"));  // back-tracking past a partial match
    EXPECT_FALSE(name_match("A-B-D", "*-*-C"));
    EXPECT_FALSE(name_match("A", ""));
    EXPECT_TRUE(name_match("", "**"));
    EXPECT_TRUE(name_match("\xe9t\xe9", "\xe9*"));  // bytes above 127 compare safely

    // The propagator refuses an inclination of 200 degrees: that set is
    // skipped, filtered or not. A number listed twice selects two sets; an
    // exact name (any case) selects its first set and is used up; a wildcard
    // stays; a set selected once is not added again.
    TextFile text;
    text.Assign(tle_text("FIVE A", "00005") + tle_text("BAD", "00002", 200.0) + tle_text("ISS (ZARYA)", "25544") +
                tle_text("FIVE B", "00005") + tle_text("iss (zarya)", "25545") + tle_text("STARLINK-2", "00005"));
    TleFile reader(&text);
    auto select = [&](std::vector<unsigned long> ids, std::vector<std::string> pats) {
        CObjects objs;
        EXPECT_EQ(ids.empty() && pats.empty() ? reader.ReadObjects(objs) : reader.ReadObjects(objs, ids, pats), 0);
        std::string out = std::to_string(ids.size()) + " " + std::to_string(pats.size()) + ":";
        for (object_t* o = objs.first; o; o = o->next)
            out += " " + o->tle->Name() + ",";
        return out;
    };
    EXPECT_EQ(select({}, {}), "0 0: FIVE A, ISS (ZARYA), FIVE B, iss (zarya), STARLINK-2,");
    EXPECT_EQ(select({2, 5, 5, 9}, {"iss (zarya)", "*V*", "STAR*"}), "1 2: FIVE A, ISS (ZARYA), FIVE B, STARLINK-2,");
}
