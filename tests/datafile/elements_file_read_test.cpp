#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafile/tle_file.h"
#include "objects/objects.h"
#include "objects/tle_fixture.h"
#include "sgp4/Tle.h"

namespace {

std::string sat(const std::string& name, const std::string& number, double inclination = 51.6337)
{
    tleSpec_t s;
    s.name = name;
    s.number = number;
    s.inclination = inclination;
    return tle_text(s);
}

std::vector<std::string> names_of(const CObjects& objs)
{
    std::vector<std::string> out;
    for (object_t* o = objs.first; o; o = o->next)
        out.push_back(o->tle->Name());
    return out;
}

using Names = std::vector<std::string>;

}  // namespace

TEST(ElementsFileRead, SelectionByNumberAndName)
{
    TextFile text;
    text.Assign(sat("FIVE A", "00005") + sat("ISS (ZARYA)", "25544") + sat("FIVE B", "00005") +
                sat("starlink-1", "44714") + sat("ISS (ZARYA)", "25545") +
                sat("STARLINK-2", "00005") + sat("OTHER", "11111"));
    TleFile reader(&text);
    ASSERT_TRUE(reader.IsValid());

    {
        CObjects objs;
        std::vector<unsigned long> ids{5};
        std::vector<std::string> pats;
        EXPECT_EQ(reader.ReadObjects(objs, ids, pats), 0);
        EXPECT_EQ(names_of(objs), (Names{"FIVE A"}));
        EXPECT_TRUE(ids.empty());
    }
    {
        // A number listed twice selects the first two; a set selected by its
        // number is not added again by a pattern.
        CObjects objs;
        std::vector<unsigned long> ids{5, 5};
        std::vector<std::string> pats{"*"};
        reader.ReadObjects(objs, ids, pats);
        EXPECT_EQ(names_of(objs), (Names{"FIVE A", "ISS (ZARYA)", "FIVE B", "starlink-1",
                                         "ISS (ZARYA)", "STARLINK-2", "OTHER"}));
        EXPECT_TRUE(ids.empty());
        EXPECT_EQ(pats, (Names{"*"}));
    }
    {
        // An exact name selects its first set and is used up; a wildcard
        // pattern stays and selects every set it matches, in any case.
        CObjects objs;
        std::vector<unsigned long> ids{99999};
        std::vector<std::string> pats{"iss (zarya)", "STARLINK*"};
        reader.ReadObjects(objs, ids, pats);
        EXPECT_EQ(names_of(objs), (Names{"ISS (ZARYA)", "starlink-1", "STARLINK-2"}));
        EXPECT_EQ(obj_catnum(objs.first), 25544u);
        EXPECT_EQ(ids, (std::vector<unsigned long>{99999}));
        EXPECT_EQ(pats, (Names{"STARLINK*"}));
    }
    {
        CObjects objs;
        std::vector<unsigned long> ids;
        std::vector<std::string> pats;
        reader.ReadObjects(objs, ids, pats);
        EXPECT_EQ(objs.count, 0u);
    }
}

TEST(ElementsFileRead, UnusableElementSetIsSkipped)
{
    // The propagator refuses an inclination of 200 degrees; the sets after it
    // are still read, filtered or not.
    TextFile text;
    text.Assign(sat("GOOD 1", "00001") + sat("BAD", "00002", 200.0) + sat("GOOD 2", "00003"));
    TleFile reader(&text);
    ASSERT_TRUE(reader.IsValid());
    CObjects objs;
    EXPECT_EQ(reader.ReadObjects(objs), 0);
    EXPECT_EQ(names_of(objs), (Names{"GOOD 1", "GOOD 2"}));

    CObjects some;
    std::vector<unsigned long> ids{2, 3};
    std::vector<std::string> pats;
    reader.ReadObjects(some, ids, pats);
    EXPECT_EQ(names_of(some), (Names{"GOOD 2"}));
    EXPECT_TRUE(ids.empty());
}
