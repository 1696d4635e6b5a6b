#include "datafile/name_match.h"
#include "elements_fixture.h"

TEST(ElementsFileRead, SelectionByNumberAndName)
{
    // "*BCD" back-tracks past a partial match; bytes above 127 compare safely.
    const std::tuple<const char*, const char*, bool> matches[] = {
        {"NOAA 19", "NOAA ??", true}, {"NOAA 9", "NOAA ??", false}, {"ABCBCD", "*BCD", true},
        {"A-B-D", "*-*-C", false},    {"A", "", false},             {"", "**", true},       {"\xe9t\xe9", "\xe9*", true}};
    for (const auto& [name, pattern, match] : matches)
        EXPECT_EQ(name_match(name, pattern), match) << name << " " << pattern;

    // The set with inclination 200 is refused and skipped, filtered or not. A
    // number listed twice selects two sets; an exact name (any case) selects
    // its first set and is used up; a wildcard stays; no set is added twice.
    TextFile text;
    text.Assign(tle_text("FIVE A", "00005") + tle_text("BAD", "00002", "200.0000") + tle_text("ISS (ZARYA)", "25544") +
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
