#include <gtest/gtest.h>

#include <string>

#include "datafile/tle_file.h"

namespace {

const char* s_line1 = "1 25544U 98067A   24001.50000000  .00016717  00000-0  30270-3 0  9999";
const char* s_line2 = "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537";

// The line with the columns from `col` (from 0) replaced and its checksum fixed.
std::string patch(std::string l, size_t col, const std::string& text)
{
    l.replace(col, text.size(), text);
    int sum = 0;
    for (size_t i = 0; i < 68; ++i)
        sum += l[i] >= '0' && l[i] <= '9' ? l[i] - '0' : l[i] == '-' ? 1 : 0;
    l[68] = char('0' + sum % 10);
    return l;
}

// All element sets of the text; `valid` receives the reader's verdict.
std::vector<OrbitalElements_t> readAll(const std::string& text, bool* valid = nullptr)
{
    TextFile t;
    t.Assign(text);
    TleFile r(&t);
    if (valid)
        *valid = r.IsValid();
    std::vector<OrbitalElements_t> out;
    OrbitalElements_t el;
    for (bool ok = r.ReadFirstElements(el); ok; ok = r.ReadNextElements(el))
        out.push_back(el);
    return out;
}

std::string set(const std::string& name, const std::string& l1 = s_line1,
                const std::string& l2 = s_line2)
{
    return (name.empty() ? "" : name + "\r\n") + l1 + "\r\n" + l2 + "\r\n";
}

}  // namespace

TEST(TleFile, ReadsEveryField)
{
    bool valid = false;
    const auto v = readAll(set("0 ISS (ZARYA)"), &valid);
    EXPECT_TRUE(valid);
    ASSERT_EQ(v.size(), 1u);
    const OrbitalElements_t& el = v[0];
    EXPECT_EQ(el.name, "ISS (ZARYA)");
    EXPECT_EQ(el.catalogNumber, 25544u);
    EXPECT_EQ(el.classification, 'U');
    EXPECT_EQ(el.intlDesignator, "98067A");
    EXPECT_EQ(el.epochYear, 2024u);
    EXPECT_DOUBLE_EQ(el.epochDay, 1.5);
    EXPECT_TRUE(el.epochIsDayOfYear);
    EXPECT_DOUBLE_EQ(el.meanMotionDot, 0.00016717);
    EXPECT_DOUBLE_EQ(el.meanMotionDdot, 0.0);
    EXPECT_DOUBLE_EQ(el.bstar, 0.30270e-3);
    EXPECT_EQ(el.ephemerisType, 0u);
    EXPECT_EQ(el.elementSetNumber, 999u);
    EXPECT_DOUBLE_EQ(el.inclination, 51.6416);
    EXPECT_DOUBLE_EQ(el.raan, 247.4627);
    EXPECT_DOUBLE_EQ(el.eccentricity, 0.0006703);
    EXPECT_DOUBLE_EQ(el.argPerigee, 130.536);
    EXPECT_DOUBLE_EQ(el.meanAnomaly, 325.0288);
    EXPECT_DOUBLE_EQ(el.meanMotion, 15.72125391);
    EXPECT_EQ(el.revNumber, 56353u);

    // Assumed decimal point with a signed exponent, and a negative mantissa.
    const auto d = readAll(set("X", patch(s_line1, 44, "-11606-4")));
    ASSERT_EQ(d.size(), 1u);
    EXPECT_DOUBLE_EQ(d[0].meanMotionDdot, -0.000011606);
}

TEST(TleFile, NamesAndNumbers)
{
    // Without a name line the satellite number names the element set.
    auto v = readAll(set(""));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].name, "25544");

    const std::string name26(26, 'N');
    v = readAll(set(name26) + set(name26 + "N"));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].name, name26);

    v = readAll(set("A", patch(s_line1, 2, "A0001")));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].catalogNumber, 100001u);
    v = readAll(set("", patch(s_line1, 2, "Z9999")));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].catalogNumber, 339999u);
    EXPECT_EQ(v[0].name, "Z9999");
    v = readAll(set("B", patch(s_line1, 2, " 0042")));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].catalogNumber, 42u);
    EXPECT_TRUE(readAll(set("C", patch(s_line1, 2, "00000"))).empty());

    const std::pair<const char*, unsigned> years[] = {{"57", 1957}, {"56", 2056}, {"00", 2000}, {"99", 1999}};
    for (const auto& [yy, year] : years) {
        v = readAll(set("Y", patch(s_line1, 18, yy)));
        ASSERT_EQ(v.size(), 1u) << yy;
        EXPECT_EQ(v[0].epochYear, year) << yy;
    }
}

TEST(TleFile, LinesAndChecksums)
{
    EXPECT_TRUE(TleFile::IsChecksum(s_line1));
    std::string changed = s_line1;
    changed[20] = '5';
    EXPECT_FALSE(TleFile::IsChecksum(changed));
    // A '-' in place of a blank counts one.
    std::string minus = s_line2;
    minus[7] = '-';
    minus[68] = '8';
    EXPECT_TRUE(TleFile::IsChecksum(minus));

    TextFile t;
    TleFile r;
    t.Assign(set("N", changed));
    r.SetFile(&t);
    EXPECT_FALSE(r.IsValid());
    t.SeekSet(0);
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_LINE1_CHECKSUM);
    t.Assign(std::string("N\n") + s_line1 + "\n\n" + s_line2 + "\n");
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_LINE2_LENGTH);
    t.Assign(std::string("N\n\n") + s_line1 + "\n" + s_line2 + "\n");
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_LINE1_LENGTH);
    t.Assign("\n \n\t\r\n");
    EXPECT_EQ(r.ReadLines(), TleFile::TLE_NO_MORE);

    // Trailing blanks and CR are trimmed; blank lines between sets are passed
    // over; two sets without name lines follow each other.
    bool valid = false;
    auto v = readAll("\r\n\r\n" + std::string(s_line1) + "   \r\n" + s_line2 + "\t\r\n\r\n \r\n" +
                         set("") + set("SECOND"),
                     &valid);
    EXPECT_TRUE(valid);
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2].name, "SECOND");

    // A bad element set ends the reading: here a blank ephemeris type.
    v = readAll(set("GOOD") + set("BAD", patch(s_line1, 62, " ")) + set("LOST"));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].name, "GOOD");

    EXPECT_FALSE([] {
        bool ok = true;
        readAll("OBJECT_NAME,OBJECT_ID\n", &ok);
        return ok;
    }());
}
