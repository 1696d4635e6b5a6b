#include "elements_fixture.h"

TEST(TleFile, FieldsNamesNumbersLinesAndChecksums)
{
    auto v = read_all<TleFile>(tle_text("0 ISS (ZARYA)"));
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].name, "ISS (ZARYA)");
    EXPECT_DOUBLE_EQ(v[0].epochDay, 150.51748228);
    EXPECT_DOUBLE_EQ(v[0].bstar, 0.21767e-3);  // assumed decimal point, signed exponent
    EXPECT_DOUBLE_EQ(read_all<TleFile>(tle_patch(s_line1, 44, "-11606-4") + "\n" + s_line2).at(0).meanMotionDdot,
                     -0.000011606);

    // Name lines of up to 26 characters, none (the number names the set),
    // Alpha-5 and blank-padded numbers; a 27-character name or number 0 fail.
    const std::string n26(26, 'N');
    const std::tuple<std::string, std::string, std::string, unsigned> sets[] = {
        {n26, "25544", n26, 25544}, {"", "25544", "25544", 25544}, {"", "A0001", "A0001", 100001},
        {"B", " 0042", "B", 42}};
    for (const auto& [line, number, name, catnum] : sets) {
        v = read_all<TleFile>(tle_text(line, number));
        ASSERT_EQ(v.size(), 1u) << number;
        EXPECT_EQ(v[0].name, name);
        EXPECT_EQ(v[0].catalogNumber, catnum);
    }
    EXPECT_TRUE(read_all<TleFile>(tle_text(n26 + "N")).empty());
    EXPECT_TRUE(read_all<TleFile>(tle_text("C", "00000")).empty());

    const std::pair<const char*, unsigned> years[] = {{"57", 1957}, {"56", 2056}, {"00", 2000}, {"99", 1999}};
    for (const auto& [yy, year] : years)
        EXPECT_EQ(read_all<TleFile>(tle_patch(s_line1, 18, yy) + "\n" + s_line2).at(0).epochYear, year) << yy;

    // A '-' counts one; a changed digit breaks the checksum and the file.
    EXPECT_TRUE(TleFile::IsChecksum(tle_patch(s_line2, 7, "-")));
    const std::string changed = s_line1.substr(0, 20) + "5" + s_line1.substr(21);
    bool valid = true;
    EXPECT_TRUE(read_all<TleFile>("N\n" + changed + "\n" + s_line2 + "\n", &valid).empty());
    EXPECT_FALSE(valid);

    // Trailing blanks trimmed, blank lines between sets skipped, sets without names.
    EXPECT_EQ(names_read<TleFile>("\r\n\r\n" + s_line1 + "   \r\n" + s_line2 + "\t\r\n\r\n \r\n" + tle_text("") +
                                  tle_text("SECOND")),
              "25544;25544;SECOND;");
    // A bad set (a blank ephemeris type, a blank line within) ends the reading.
    for (const std::string& bad : {tle_patch(s_line1, 62, " ") + "\n" + s_line2, s_line1 + "\n\n" + s_line2})
        EXPECT_EQ(names_read<TleFile>(tle_text("GOOD") + "BAD\n" + bad + "\n" + tle_text("LOST")), "GOOD;");
}

TEST(TextFile, LinesAndLoad)
{
    // LF CR ends a line and then an empty one; a lone CR ends a line.
    TextFile t;
    std::string_view l;
    t.Assign("A\n\rB\rC");
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(t.ReadLine(l), 0u);
    EXPECT_EQ(t.ReadLine(l), 1u);
    EXPECT_EQ(l, "B");
    EXPECT_FALSE(t.SeekNextLine());
    EXPECT_TRUE(t.IsEnd());

    TempDir dir;
    EXPECT_EQ(t.Load(dir.file("missing.tle")), 1);
    EXPECT_EQ(t.Load(dir.path()), 5);
    t.Assign("left over from before, longer than the file");
    ASSERT_EQ(t.Load(dir.write("a.txt", "one\r\ntwo")), 0);
    EXPECT_EQ(t.ReadLine(), "one\r\n");
    EXPECT_EQ(t.ReadLine(), "two");
    EXPECT_TRUE(t.IsEnd());
}

// Alpha-5: the letters ABCDEFGHJKLMNPQRSTUVWXYZ stand for 10 to 33 ten-thousands.
// The element reader takes I as J and O as P; the data manager refuses them.
TEST(TleFile, Alpha5NumbersAtEveryLetterBoundary)
{
    const std::tuple<const char*, unsigned, unsigned long> numbers[] = {
        {"A0000", 100000, 100000}, {"A0001", 100001, 100001}, {"H9999", 179999, 179999},
        {"J0000", 180000, 180000}, {"I0001", 180001, 0},      {"N9999", 229999, 229999},
        {"P0000", 230000, 230000}, {"P0001", 230001, 230001}, {"O0001", 230001, 0},
        {"Q0000", 240000, 240000}, {"Z9999", 339999, 339999}};
    for (const auto& [text, inReader, inManager] : numbers) {
        const auto v = read_all<TleFile>(tle_text("X", text));
        ASSERT_EQ(v.size(), 1u) << text;
        EXPECT_EQ(v[0].catalogNumber, inReader) << text;
        EXPECT_EQ(ManagerFile::CatId(text), inManager) << text;
    }
    const std::string letters = "ABCDEFGHJKLMNPQRSTUVWXYZ";
    for (size_t i = 0; i < letters.size(); ++i) {
        const std::string text = letters.substr(i, 1) + "0042";
        EXPECT_EQ(read_all<TleFile>(tle_text("X", text)).at(0).catalogNumber, (10 + i) * 10000 + 42) << text;
    }
}
