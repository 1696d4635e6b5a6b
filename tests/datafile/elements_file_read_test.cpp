#include <gtest/gtest.h>

#include "datafile/name_match.h"
#include "elements_fixture.h"
#include "objects/objects.h"
#include "sgp4/Tle.h"

namespace {

using Names = std::vector<std::string>;

Names names_of(const CObjects& objs)
{
    Names out;
    for (object_t* o = objs.first; o; o = o->next)
        out.push_back(o->tle->Name());
    return out;
}

Names select(ElementsFile& reader, std::vector<unsigned long> ids, Names pats,
             std::vector<unsigned long> idsLeft, const Names& patsLeft)
{
    CObjects objs;
    reader.ReadObjects(objs, ids, pats);
    EXPECT_EQ(ids, idsLeft);
    EXPECT_EQ(pats, patsLeft);
    return names_of(objs);
}

}  // namespace

TEST(ElementsFileRead, NamePatterns)
{
    EXPECT_TRUE(name_match("ISS (ZARYA)", "iss (zarya)"));
    EXPECT_TRUE(name_match("starlink-1008", "STARLINK*"));
    EXPECT_TRUE(name_match("NOAA 19", "NOAA ??"));
    EXPECT_FALSE(name_match("NOAA 9", "NOAA ??"));
    EXPECT_TRUE(name_match("ABCBCD", "*BCD"));  // back-tracking past a partial match
    EXPECT_FALSE(name_match("A-B-D", "*-*-C"));
    EXPECT_FALSE(name_match("A", ""));
    EXPECT_TRUE(name_match("", "**"));
    EXPECT_TRUE(name_match("\xe9t\xe9", "\xe9*"));  // bytes above 127 compare safely
    EXPECT_TRUE(name_isPattern("A?") && name_isPattern("A*"));
    EXPECT_FALSE(name_isPattern("ISS (ZARYA)"));
}

TEST(ElementsFileRead, SelectionByNumberAndName)
{
    TextFile text;
    text.Assign(tle_text("FIVE A", "00005") + tle_text("ISS (ZARYA)", "25544") + tle_text("FIVE B", "00005") +
                tle_text("starlink-1", "44714") + tle_text("iss (zarya)", "25545") +
                tle_text("STARLINK-2", "00005") + tle_text("OTHER", "11111"));
    TleFile reader(&text);
    ASSERT_TRUE(reader.IsValid());
    EXPECT_EQ(select(reader, {5}, {}, {}, {}), (Names{"FIVE A"}));
    // A number listed twice selects two sets; a set selected by its number
    // is not added again by a pattern.
    EXPECT_EQ(select(reader, {5, 5}, {"*"}, {}, {"*"}),
              (Names{"FIVE A", "ISS (ZARYA)", "FIVE B", "starlink-1", "iss (zarya)", "STARLINK-2", "OTHER"}));
    // An exact name selects its first set and is used up; a wildcard stays
    // and selects every set it matches, in any case.
    EXPECT_EQ(select(reader, {99999}, {"iss (zarya)", "STARLINK*"}, {99999}, {"STARLINK*"}),
              (Names{"ISS (ZARYA)", "starlink-1", "STARLINK-2"}));
    EXPECT_TRUE(select(reader, {}, {}, {}, {}).empty());
}

TEST(ElementsFileRead, UnusableElementSetIsSkipped)
{
    // The propagator refuses an inclination of 200 degrees; the sets after it
    // are still read, filtered or not.
    TextFile text;
    text.Assign(tle_text("GOOD 1", "00001") + tle_text("BAD", "00002", 200.0) + tle_text("GOOD 2", "00003"));
    TleFile reader(&text);
    CObjects objs;
    EXPECT_EQ(reader.ReadObjects(objs), 0);
    EXPECT_EQ(names_of(objs), (Names{"GOOD 1", "GOOD 2"}));
    EXPECT_EQ(select(reader, {2, 3}, {}, {}, {}), (Names{"GOOD 2"}));
}
