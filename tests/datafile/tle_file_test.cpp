#include <gtest/gtest.h>

#include "elements_fixture.h"

TEST(TleFile, FieldsNamesAndNumbers)
{
    bool valid = false;
    auto v = read_all<TleFile>(tle_text("0 ISS (ZARYA)"), &valid);
    EXPECT_TRUE(valid);
    ASSERT_EQ(v.size(), 1u);
    const OrbitalElements_t& el = v[0];
    EXPECT_EQ(el.name, "ISS (ZARYA)");
    EXPECT_EQ(el.intlDesignator, "98067A");
    EXPECT_EQ(el.epochYear, 2026u);
    EXPECT_DOUBLE_EQ(el.epochDay, 150.51748228);
    EXPECT_DOUBLE_EQ(el.meanMotionDot, 0.00011776);
    EXPECT_DOUBLE_EQ(el.bstar, 0.21767e-3);  // assumed decimal point, signed exponent
    EXPECT_DOUBLE_EQ(el.eccentricity, 0.0007245);
    EXPECT_DOUBLE_EQ(el.meanMotion, 15.49496548);
    EXPECT_EQ(el.revNumber, 56901u);
    v = read_all<TleFile>("X\r\n" + tle_patch(s_line1, 44, "-11606-4") + "\r\n" + s_line2 + "\r\n");
    ASSERT_EQ(v.size(), 1u);
    EXPECT_DOUBLE_EQ(v[0].meanMotionDdot, -0.000011606);

    // Without a name line the satellite number names the set; a name line
    // may hold 26 characters, 27 make it no name line.
    const std::pair<std::string, std::string> named[] = {{"", "25544"}, {std::string(26, 'N'), std::string(26, 'N')}};
    for (const auto& [line, name] : named) {
        v = read_all<TleFile>(tle_text(line));
        ASSERT_EQ(v.size(), 1u);
        EXPECT_EQ(v[0].name, name);
    }
    EXPECT_TRUE(read_all<TleFile>(tle_text(std::string(27, 'N'))).empty());

    // Alpha-5 numbers, blank-padded numbers; 0 is no number.
    const std::pair<const char*, unsigned> numbers[] = {{"A0001", 100001}, {"Z9999", 339999}, {" 0042", 42}};
    for (const auto& [text, number] : numbers) {
        v = read_all<TleFile>(tle_text("", text));
        ASSERT_EQ(v.size(), 1u) << text;
        EXPECT_EQ(v[0].catalogNumber, number);
    }
    EXPECT_EQ(read_all<TleFile>(tle_text("", "Z9999"))[0].name, "Z9999");
    EXPECT_TRUE(read_all<TleFile>(tle_text("C", "00000")).empty());

    const std::pair<const char*, unsigned> years[] = {{"57", 1957}, {"56", 2056}, {"00", 2000}, {"99", 1999}};
    for (const auto& [yy, year] : years) {
        v = read_all<TleFile>(tle_patch(s_line1, 18, yy) + "\n" + s_line2 + "\n");
        ASSERT_EQ(v.size(), 1u) << yy;
        EXPECT_EQ(v[0].epochYear, year);
    }
}

TEST(TleFile, LinesAndChecksums)
{
    EXPECT_TRUE(TleFile::IsChecksum(s_line1));
    std::string changed = s_line1;
    changed[20] = '5';
    EXPECT_FALSE(TleFile::IsChecksum(changed));
    EXPECT_TRUE(TleFile::IsChecksum(tle_patch(s_line2, 7, "-")));  // a '-' counts one

    TextFile t;
    TleFile r;
    t.Assign("N\n" + changed + "\n" + s_line2 + "\n");
    r.SetFile(&t);
    EXPECT_FALSE(r.IsValid());
    t.SeekSet(0);
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_LINE1_CHECKSUM);
    t.Assign("N\n" + s_line1 + "\n\n" + s_line2 + "\n");
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_LINE2_LENGTH);
    t.Assign("N\n\n" + s_line1 + "\n" + s_line2 + "\n");
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_LINE1_LENGTH);
    t.Assign("\n \n\t\r\n");
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_NO_MORE);

    // Trailing blanks and CR are trimmed, blank lines between sets passed
    // over, sets without name lines follow each other.
    bool valid = false;
    auto v = read_all<TleFile>("\r\n\r\n" + s_line1 + "   \r\n" + s_line2 + "\t\r\n\r\n \r\n" +
                                   tle_text("") + tle_text("SECOND"),
                               &valid);
    EXPECT_TRUE(valid);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2].name, "SECOND");

    // A bad set (here a blank ephemeris type) ends the reading.
    v = read_all<TleFile>(tle_text("GOOD") + "BAD\n" + tle_patch(s_line1, 62, " ") + "\n" +
                          s_line2 + "\n" + tle_text("LOST"));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].name, "GOOD");
    read_all<TleFile>(s_csvHeader, &valid);
    EXPECT_FALSE(valid);
}
