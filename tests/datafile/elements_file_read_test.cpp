#include <gtest/gtest.h>

#include "datafile/name_match.h"
#include "elements_fixture.h"
#include "objects/objects.h"
#include "sgp4/Tle.h"

namespace {

using Names = std::vector<std::string>;

// The names the reader selects by the numbers and patterns (all when both
// are empty), which must leave the given ones unused.
Names select(ElementsFile& reader, std::vector<unsigned long> ids, Names pats,
             const std::vector<unsigned long>& idsLeft = {}, const Names& patsLeft = {})
{
    CObjects objs;
    EXPECT_EQ(ids.empty() && pats.empty() ? reader.ReadObjects(objs) : reader.ReadObjects(objs, ids, pats), 0);
    EXPECT_EQ(ids, idsLeft);
    EXPECT_EQ(pats, patsLeft);
    Names out;
    for (object_t* o = objs.first; o; o = o->next)
        out.push_back(o->tle->Name());
    return out;
}

}  // namespace

TEST(ElementsFileRead, SelectionByNumberAndName)
{
    EXPECT_TRUE(name_match("NOAA 19", "NOAA ??"));
    EXPECT_FALSE(name_match("NOAA 9", "NOAA ??"));
    EXPECT_TRUE(name_match("ABCBCD", "*BCD"));  // back-tracking past a partial match
    EXPECT_FALSE(name_match("A-B-D", "*-*-C"));
    EXPECT_FALSE(name_match("A", ""));
    EXPECT_TRUE(name_match("", "**"));
    EXPECT_TRUE(name_match("\xe9t\xe9", "\xe9*"));  // bytes above 127 compare safely
    EXPECT_FALSE(name_isPattern("ISS (ZARYA)"));

    TextFile text;
    text.Assign(tle_text("FIVE A", "00005") + tle_text("ISS (ZARYA)", "25544") + tle_text("FIVE B", "00005") +
                tle_text("starlink-1", "44714") + tle_text("iss (zarya)", "25545") + tle_text("STARLINK-2", "00005") +
                tle_text("OTHER", "11111"));
    TleFile reader(&text);
    EXPECT_EQ(select(reader, {5}, {}), (Names{"FIVE A"}));
    // A number listed twice selects two sets; a set selected by its number
    // is not added again by a pattern.
    EXPECT_EQ(select(reader, {5, 5}, {"*"}, {}, {"*"}),
              (Names{"FIVE A", "ISS (ZARYA)", "FIVE B", "starlink-1", "iss (zarya)", "STARLINK-2", "OTHER"}));
    // An exact name selects its first set, in any case, and is used up; a
    // wildcard stays and selects every set it matches.
    EXPECT_EQ(select(reader, {99999}, {"iss (zarya)", "STARLINK*"}, {99999}, {"STARLINK*"}),
              (Names{"ISS (ZARYA)", "starlink-1", "STARLINK-2"}));

    // The propagator refuses an inclination of 200 degrees; the sets after
    // it are still read, filtered or not.
    text.Assign(tle_text("GOOD 1", "00001") + tle_text("BAD", "00002", 200.0) + tle_text("GOOD 2", "00003"));
    EXPECT_EQ(select(reader, {}, {}), (Names{"GOOD 1", "GOOD 2"}));
    EXPECT_EQ(select(reader, {2, 3}, {}), (Names{"GOOD 2"}));
}
