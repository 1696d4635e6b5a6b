#include <gtest/gtest.h>

#include <string>

#include "datafile/csv_file.h"
#include "datafile/elements_reader.h"
#include "sgp4/SGP4.h"

namespace {

const std::string s_header =
    "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,"
    "ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,"
    "ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT";

// One row of the ISS, with any column (from 0) replaced.
std::string row(int col = -1, const std::string& value = "")
{
    std::vector<std::string> f = {"ISS (ZARYA)", "1998-067A", "2024-01-15T12:34:56.123456",
                                  "15.72125391", ".0006703", "51.6416", "247.4627", "130.5360",
                                  "325.0288", "0", "U", "25544", "999", "56353", ".3027e-3",
                                  ".00016717", "0"};
    if (col >= 0)
        f[size_t(col)] = value;
    std::string s;
    for (size_t i = 0; i < f.size(); ++i)
        s += (i ? "," : "") + f[i];
    return s;
}

std::vector<OrbitalElements_t> readAll(const std::string& text, bool* valid = nullptr)
{
    TextFile t;
    t.Assign(text);
    CsvFile r(&t);
    if (valid)
        *valid = r.IsValid();
    std::vector<OrbitalElements_t> out;
    OrbitalElements_t el;
    for (bool ok = r.ReadFirstElements(el); ok; ok = r.ReadNextElements(el))
        out.push_back(el);
    return out;
}

}  // namespace

TEST(CsvFile, HeaderDecidesTheFormat)
{
    bool valid = false;
    EXPECT_TRUE(readAll(s_header + "\n", &valid).empty());
    EXPECT_TRUE(valid);
    std::string other = "OBJECT_NAME" + std::string(16, ',');
    readAll(other, &valid);
    EXPECT_TRUE(valid);
    for (const std::string& bad :
         {"object_name" + s_header.substr(11), "\xEF\xBB\xBF" + s_header, " " + s_header,
          "\"OBJECT_NAME\"" + s_header.substr(11), s_header + ",EXTRA", std::string("")}) {
        readAll(bad + "\n", &valid);
        EXPECT_FALSE(valid) << bad;
    }

    TextFile t;
    CsvFile csv;
    TleFile tle;
    t.Assign(s_header + "\n");
    EXPECT_EQ(elements_bind(&t, csv, tle), &csv);
    t.Assign("garbage\n");
    EXPECT_EQ(elements_bind(&t, csv, tle), nullptr);
    EXPECT_FALSE(elements_accepts(&t));
}

TEST(CsvFile, ReadsEveryColumn)
{
    const auto v = readAll(s_header + "\r\n" + row() + "\r\n" + row(0, "LAST") + "\r\n");
    ASSERT_EQ(v.size(), 2u);
    const OrbitalElements_t& el = v[0];
    EXPECT_EQ(el.name, "ISS (ZARYA)");
    EXPECT_EQ(el.intlDesignator, "1998-067A");
    EXPECT_EQ(el.epochYear, 2024u);
    EXPECT_EQ(el.epochMonth, 1);
    EXPECT_EQ(el.epochDayOfMonth, 15);
    EXPECT_EQ(el.epochHour, 12);
    EXPECT_EQ(el.epochMinute, 34);
    EXPECT_EQ(el.epochSecond, 56);
    EXPECT_EQ(el.epochMicrosecond, 123456);
    EXPECT_FALSE(el.epochIsDayOfYear);
    EXPECT_DOUBLE_EQ(el.meanMotion, 15.72125391);
    EXPECT_DOUBLE_EQ(el.eccentricity, 0.0006703);
    EXPECT_DOUBLE_EQ(el.inclination, 51.6416);
    EXPECT_DOUBLE_EQ(el.raan, 247.4627);
    EXPECT_DOUBLE_EQ(el.argPerigee, 130.536);
    EXPECT_DOUBLE_EQ(el.meanAnomaly, 325.0288);
    EXPECT_EQ(el.ephemerisType, 0u);
    EXPECT_EQ(el.classification, 'U');
    EXPECT_EQ(el.catalogNumber, 25544u);
    EXPECT_EQ(el.elementSetNumber, 999u);
    EXPECT_EQ(el.revNumber, 56353u);
    EXPECT_DOUBLE_EQ(el.bstar, 0.3027e-3);
    EXPECT_DOUBLE_EQ(el.meanMotionDot, 0.00016717);
    EXPECT_DOUBLE_EQ(el.meanMotionDdot, 0.0);
    EXPECT_EQ(v[1].name, "LAST");

    // LF rows, a last row without terminator, and a catalogue number 0.
    EXPECT_EQ(readAll(s_header + "\n" + row() + "\n" + row(11, "0")).size(), 2u);
    // A blank line or a row of the wrong width ends the reading.
    EXPECT_EQ(readAll(s_header + "\n" + row() + "\n\n" + row() + "\n").size(), 1u);
    EXPECT_EQ(readAll(s_header + "\n" + row(0, "\"A, B\"") + "\n").size(), 0u);
}

TEST(CsvFile, ColumnConversions)
{
    auto one = [](int col, const std::string& value) {
        return readAll(s_header + "\n" + row(col, value) + "\n");
    };
    EXPECT_TRUE(one(1, "").empty());
    EXPECT_TRUE(one(0, "  ").empty());
    auto v = one(3, "abc");
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].meanMotion, 0.0);
    EXPECT_TRUE(one(11, "-1").empty());
    EXPECT_TRUE(one(11, "4294967296").empty());
    v = one(11, " +4294967295x");
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].catalogNumber, 4294967295u);

    // A number column may read "nan": the reader takes it, the propagator
    // refuses it with a reason.
    v = one(3, "nan");
    ASSERT_EQ(v.size(), 1u);
    try {
        libsgp4::SGP4 s{libsgp4::Tle(v[0])};
        ADD_FAILURE() << "nan mean motion accepted";
    } catch (const libsgp4::SatelliteException& e) {
        EXPECT_STREQ(e.what(), "Mean motion is not finite");
    }
}

TEST(CsvFile, Epochs)
{
    auto epoch = [](const std::string& text) {
        const auto v = readAll(s_header + "\n" + row(2, text) + "\n");
        return v.empty() ? -1 : v[0].epochMicrosecond;
    };
    EXPECT_EQ(epoch("2024/01/15T12:34:56.123456"), 123456);
    EXPECT_EQ(epoch(" 2024-01-15T12:34:56.123456 "), 123456);
    EXPECT_EQ(epoch("2024-01-15T12:34:56"), -1);
    EXPECT_EQ(epoch("2024-01-15T12:34:56."), -1);
    // The fraction is scaled to six digits; longer ones are cut.
    EXPECT_EQ(epoch("2024-01-15T12:34:56.5"), 500000);
    EXPECT_EQ(epoch("2024-01-15T12:34:56.000001"), 1);
    EXPECT_EQ(epoch("2024-01-15T12:34:56.1234567"), 123456);
    EXPECT_EQ(epoch("2024-01-15T12:34:56.999999999999"), 999999);
    EXPECT_EQ(epoch("2024-01-15T12:34:56.123456Z"), 123456);
    // Impossible dates and times fail like a bad column.
    EXPECT_EQ(epoch("2024-13-15T12:34:56.123456"), -1);
    EXPECT_EQ(epoch("2023-02-29T12:34:56.123456"), -1);
    EXPECT_EQ(epoch("2024-01-15T12:75:56.123456"), -1);
    EXPECT_EQ(epoch("2024-01-15T24:00:00.000000"), -1);
    EXPECT_EQ(epoch("2024-01-15T-1:34:56.123456"), -1);
    EXPECT_EQ(epoch("2024-01-15T12:34:56.-12345"), -1);
    EXPECT_EQ(epoch("0000-01-15T12:34:56.123456"), -1);
    EXPECT_EQ(epoch("2024-0a-15T12:34:56.123456"), -1);
    EXPECT_EQ(epoch("2024-01-15T12:34:56.abcdef"), -1);

    const auto v = readAll(s_header + "\n" + row() + "\n" + row(2, "2024-02-30T00:00:00.000000") +
                           "\n" + row() + "\n");
    EXPECT_EQ(v.size(), 1u);
}
