#include "elements_fixture.h"

TEST(CsvFile, HeaderRowsColumnsAndEpochs)
{
    const auto one = [](int col, const std::string& value) {
        return read_all<CsvFile>(s_csvHeader + csv_row({{col, value}}));
    };
    bool valid = false;
    read_all<CsvFile>("OBJECT_NAME" + std::string(16, ','), &valid);
    EXPECT_TRUE(valid);
    const std::string rest = s_csvHeader.substr(11);
    for (const std::string& bad : {"object_name" + rest, "\xEF\xBB\xBF" + s_csvHeader, " " + s_csvHeader,
                                   "\"OBJECT_NAME\"" + rest, "OBJECT_NAME" + std::string(17, ','), std::string("\n")}) {
        read_all<CsvFile>(bad, &valid);
        EXPECT_FALSE(valid) << bad;
    }

    // Rows read as the two-line form: CR LF or LF or none at the end, number 0 allowed.
    std::string crlf = csv_row(), last = csv_row({{11, "0"}});
    crlf.insert(crlf.size() - 1, "\r");
    last.pop_back();
    const auto v = read_all<CsvFile>(s_csvHeader + crlf + last);
    const OrbitalElements_t b = read_all<TleFile>(tle_text("ISS (ZARYA)")).at(0);
    ASSERT_EQ(v.size(), 2u);
    const OrbitalElements_t& a = v[0];
    EXPECT_EQ(a.name + a.intlDesignator + a.classification, "ISS (ZARYA)1998-067AU");
    for (auto f : {&OrbitalElements_t::meanMotion, &OrbitalElements_t::eccentricity, &OrbitalElements_t::inclination,
                   &OrbitalElements_t::raan, &OrbitalElements_t::argPerigee, &OrbitalElements_t::meanAnomaly,
                   &OrbitalElements_t::bstar, &OrbitalElements_t::meanMotionDot, &OrbitalElements_t::meanMotionDdot})
        EXPECT_DOUBLE_EQ(a.*f, b.*f);
    EXPECT_EQ(a.catalogNumber, b.catalogNumber);
    EXPECT_LE(std::llabs(libsgp4::Tle(a).Epoch().Ticks() - libsgp4::Tle(b).Epoch().Ticks()), 10);
    // A blank line or a row of the wrong width ends the reading; a quoted or
    // empty column, a blank name or a number out of range refuses the row.
    EXPECT_EQ(read_all<CsvFile>(s_csvHeader + csv_row() + "\n" + csv_row()).size(), 1u);
    const std::pair<int, const char*> refused[] = {{0, "\"A, B\""}, {1, ""}, {0, "  "}, {11, "-1"}, {11, "4294967296"}};
    for (const auto& [col, value] : refused)
        EXPECT_TRUE(one(col, value).empty()) << value;
    EXPECT_EQ(one(11, " +4294967295x").at(0).catalogNumber, 4294967295u);
    // "nan" reads as a number; the propagator refuses it.
    EXPECT_THROW(libsgp4::SGP4{libsgp4::Tle(one(3, "nan").at(0))}, libsgp4::SatelliteException);

    // Microseconds read (-1: row refused), fractions scaled to six digits; impossible
    // dates and times fail like a bad column instead of reaching the calendar's fatal check.
    const std::pair<const char*, int> cases[] = {
        {"2024/01/15T12:34:56.123456", 123456}, {" 2024-01-15T12:34:56.123456 ", 123456},
        {"2024-01-15T12:34:56", -1}, {"2024-01-15T12:34:56.", -1}, {"2024-01-15T12:34:56.5", 500000},
        {"2024-01-15T12:34:56.000001", 1}, {"2024-01-15T12:34:56.1234567", 123456},
        {"2024-01-15T12:34:56.123456Z", 123456}, {"2024-13-15T12:34:56.123456", -1},
        {"2023-02-29T12:34:56.123456", -1}, {"2024-01-15T12:75:56.123456", -1}, {"2024-01-15T24:00:00.000000", -1},
        {"2024-01-15T-1:34:56.123456", -1}, {"2024-01-15T12:34:56.-12345", -1}, {"0000-01-15T12:34:56.123456", -1},
        {"2024-0a-15T12:34:56.123456", -1}};
    for (const auto& [text, us] : cases) {
        const auto r = one(2, text);
        EXPECT_EQ(r.empty() ? -1 : r[0].epochMicrosecond, us) << text;
    }
    const OrbitalElements_t e = one(2, "2024-01-15T12:34:56.5").at(0);
    EXPECT_EQ(e.epochYear * 10000 + e.epochMonth * 100 + e.epochDayOfMonth, 20240115u);
    EXPECT_EQ(e.epochHour * 10000 + e.epochMinute * 100 + e.epochSecond, 123456);
    // The refused row ends the reading.
    EXPECT_EQ(read_all<CsvFile>(s_csvHeader + csv_row() + csv_row({{2, "2024-02-30T00:00:00.000000"}}) + csv_row()).size(),
              1u);
}
