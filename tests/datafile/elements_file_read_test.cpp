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

TEST(ElementsFileRead, NulBytesHugeLinesMissingAndCrOnlyLineEnds)
{
    const std::string mega(1 << 20, 'x');
    const std::string nul("\0\0", 2);
    const std::string a = tle_text("A", "00001"), b = tle_text("B", "00002");
    auto cr_only = [](std::string s) {
        s.erase(std::remove(s.begin(), s.end(), '\r'), s.end());
        std::replace(s.begin(), s.end(), '\n', '\r');
        return s;
    };
    // Two-line reader: a NUL is an ordinary byte (kept in a name, a line of
    // them is a name line); a megabyte line is an overlong line 1 and ends
    // the reading; a last line without an end is read; CR alone ends lines.
    EXPECT_EQ(names_read<TleFile>("N" + nul + "M\n" + tle_text("") + b), "N" + nul + "M;B;");
    EXPECT_EQ(names_read<TleFile>(a + nul + "\n" + b), "A;");
    EXPECT_EQ(names_read<TleFile>(a + mega + "\n" + b), "A;");
    EXPECT_EQ(names_read<TleFile>(mega + "\n" + a), "-");
    EXPECT_EQ(names_read<TleFile>(a + b.substr(0, b.size() - 2)), "A;B;");
    EXPECT_EQ(names_read<TleFile>(cr_only(a + b)), "A;B;");
    EXPECT_EQ(names_read<TleFile>(std::string(1 << 16, '\0')), "-");
    EXPECT_EQ(names_read<TleFile>(std::string(1 << 16, '\r')), "-");

    // Comma-separated reader: a NUL is a byte of its column; a megabyte
    // column is read whole; a row of the wrong width ends the reading.
    const std::string row = csv_row();
    EXPECT_EQ(names_read<CsvFile>(s_csvHeader + csv_row({{0, "A" + nul}}) + row), "A" + nul + ";ISS (ZARYA);");
    EXPECT_EQ(names_read<CsvFile>(s_csvHeader + csv_row({{0, mega}}) + row).size(), mega.size() + 13);
    EXPECT_EQ(names_read<CsvFile>(s_csvHeader + row + mega + "\n" + row), "ISS (ZARYA);");
    EXPECT_EQ(names_read<CsvFile>(cr_only(s_csvHeader + row + row)), "ISS (ZARYA);ISS (ZARYA);");
    EXPECT_EQ(names_read<CsvFile>(s_csvHeader + row.substr(0, row.size() - 1)), "ISS (ZARYA);");
    EXPECT_EQ(names_read<CsvFile>(nul + s_csvHeader + row), "-");
}
