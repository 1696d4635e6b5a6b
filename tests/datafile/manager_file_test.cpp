#include "elements_fixture.h"

TEST(ManagerFile, VersionsIdentifiersEdgesAndOverlongEntries)
{
    TempDir dir;
    // The scan does not skip comments: "# {" makes version 2.
    const std::pair<const char*, int> versions[] = {
        {"", 2}, {"stations.txt\n", 2}, {"# a\n>/sat/\n{\n", 1}, {"/sat {\n a.csv {\n STARLINK*\n }\n}\n", 2},
        {"*x.txt\n25544\n*\n", 1}, {"a.txt\n \t*x.txt\n", 1}, {"a.txt STARLINK*\n", 2}, {"# {\n>/sat/\n", 2}};
    for (const auto& [text, version] : versions) {
        ManagerFile mgr;
        EXPECT_EQ(mgr.Open(dir.write("v.txt", text).c_str()), 0u);
        EXPECT_EQ(mgr.Version(), version) << text;
    }
    const std::pair<const char*, unsigned long> ids[] = {
        {"25544", 25544}, {"A", 100000}, {"0", 0}, {"ISS*", 0}, {"25544X", 0}, {"a0001", 0}};
    for (const auto& [text, id] : ids)
        EXPECT_EQ(ManagerFile::CatId(text), id) << text;

    const std::string d = dir.path() + "/";
    dir.write("a.txt", tle_text("A0001", "A0001") + tle_text("ONE", "00001"));
    dir.mkdir("sub");
    dir.write("sub/a.txt", tle_text("A", "00001"));
    dir.write("sub/b.txt", tle_text("B", "00002"));
    dir.write("sub/c.txt", tle_text("C", "00003") + tle_text("C2", "00004"));
    dir.write("iss.txt", tle_text("ISS (ZARYA)", "25544"));
    dir.write("mix.txt", tle_text("A0001", "A0001") + tle_text("0", "00007") + tle_text("ZED", "00009"));
    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0644), 0);
    const std::pair<std::string, std::string> cases[] = {
        // Version 1: A0001 is a name; a block without a file name applies to
        // the next file; an unclosed block or one without identifiers loads
        // nothing; missing files, directories and FIFOs are passed over.
        {"*" + d + "a.txt\nA0001\n*\n", "0: 100001 A0001"},
        {"*\n1\n*\n" + d + "a.txt\n" + d + "a.txt\n", "0: 1 ONE, 100001 A0001, 1 ONE"},
        {"*" + d + "a.txt\n1\n", "0:"},
        {"*" + d + "a.txt\n*\n", "0:"},
        {">" + d + "\nmissing.txt\n.\nfifo\n*fifo\n1\n*\na.txt\n", "0: 100001 A0001, 1 ONE"},
        // Version 2: stray braces make -1 but what can be loaded is.
        {d + "iss.txt", "0: 25544 ISS (ZARYA)"},
        {d + "iss.txt\n}\n" + d + "iss.txt\n", "-1: 25544 ISS (ZARYA)"},
        {"{\n" + d + "iss.txt\n}\n", "-1:"},
        // Each entry of a directory group is joined to the directory alone; a
        // file listed twice loads twice; groups under missing paths are
        // skipped whole, nested braces included.
        {d + "sub {\n a.txt\n b.txt\n c.txt { 4 }\n nothere { x { y } }\n a.txt\n}\n" + d + "none { 1 { 2 } }\n" +
             d + "iss.txt\n",
         "0: 1 A, 2 B, 4 C2, 1 A, 25544 ISS (ZARYA)"},
        // A directory group inside a directory group is skipped.
        {dir.path() + " {\n sub {\n  a.txt\n }\n iss.txt\n}\n", "0: 25544 ISS (ZARYA)"},
        // File groups of numbers, Alpha-5 and names ("0" is one); empty and unclosed groups.
        {d + "mix.txt {\nA0001\n}\n" + d + "mix.txt { }\n" + d + "mix.txt {\n0\nzed\n", "0: 100001 A0001, 7 0, 9 ZED"},
        // A '{' inside a file group ends it; its '}' is then a stray brace.
        {d + "mix.txt {\n9\n{\n}\n" + d + "iss.txt\n", "-1: 9 ZED"}};
    for (const auto& [text, want] : cases)
        EXPECT_EQ(load_manager(dir, text), want) << text;

    // Overlong entries are passed over: a path as long as a version-1 line may be, and longer.
    const std::string sub = dir.mkdir(std::string(200, 'd'));
    const std::string fits = sub + "/" + std::string(ManagerFile::V1_NAME_MAX - sub.size() - 1, 'f');
    dir.write(fits.substr(dir.path().size() + 1), tle_text("FITS", "00001"));
    const std::string ok = dir.write("ok.txt", tle_text("OK", "00002"));
    EXPECT_EQ(load_manager(dir, fits + "\n" + fits + "xyz\n" + ok + "\n>" + fits + "xyz/\nok.txt\n"),
              "0: 1 FITS, 2 OK");
    // Version-1 joins longer than their room, even when the file exists.
    dir.write(std::string(200, 'd') + "/" + std::string(110, 'f'), tle_text("LONG", "00004"));
    EXPECT_EQ(load_manager(dir, ">" + sub + "/\n" + std::string(110, 'f') + "\n"), "0:");

    // Version 2: a token of 511 characters is used; a longer one and its group are skipped.
    const std::string sub2 = dir.mkdir(std::string(200, 'd') + "/" + std::string(200, 'e'));
    const std::string fits2 = sub2 + "/" + std::string(ManagerFile::TOKEN_CAP - 1 - sub2.size() - 1, 'g');
    dir.write(fits2.substr(dir.path().size() + 1), tle_text("FITS2", "00003"));
    EXPECT_EQ(load_manager(dir, fits2 + "\n" + fits2 + "h\n" + fits2 + "h { 3 }\n" + ok + "\n"), "0: 3 FITS2, 2 OK");
}

TEST(ManagerFile, WorkingDirectoryBlocksAndComments)
{
    TempDir dir;
    dir.write("stations.txt", tle_text("ISS (ZARYA)", "25544") + tle_text("CSS (TIANHE)", "48274"));
    dir.write("visual.txt", tle_text("ISS (ZARYA)", "25544") + tle_text("ISS DEB", "12345") +
                                tle_text("OTHER", "11111") + tle_text("X", "25544") + tle_text("iss deb 2", "12346"));
    dir.write("extra.tle", tle_text("EXTRA", "A0001"));
    // After "<" names are taken from the working directory.
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd) && chdir(dir.path().c_str()) == 0);
    EXPECT_EQ(load_manager(dir, "# comment\n  >" + dir.path() +
                                    "/  \nstations.txt\n*visual.txt\n25544\n\n# a comment inside the "
                                    "block\nISS*\n*\n<\nextra.tle\r\n"),
              "0: 25544 ISS (ZARYA), 48274 CSS (TIANHE), 25544 ISS (ZARYA), 12345 ISS DEB, 12346 iss deb 2, "
              "100001 EXTRA");
    ASSERT_EQ(chdir(cwd), 0);
}

TEST(ManagerFile, HostileEntriesEndQuicklyWithinBoundedMemory)
{
    TempDir dir;
    const std::string d = dir.path() + "/";
    dir.write("iss.txt", tle_text("ISS (ZARYA)", "25544"));
    dir.mkdir("sub");
    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0644), 0);
    ASSERT_EQ(symlink("/dev/zero", dir.file("zero").c_str()), 0);
    // A sparse file over the element file limit is refused before anything is allocated.
    const std::string huge = dir.write("huge.txt", tle_text("HUGE", "00042"));
    ASSERT_EQ(truncate(huge.c_str(), off_t(TextFile::MAX_SIZE) + 1), 0);
    std::string hugePath = huge;
    CObjects objs;
    EXPECT_EQ(load_objs(objs, hugePath), 7);
    EXPECT_EQ(objs.first, nullptr);

    const std::string deep(100000, '{'), shut(100000, '}');
    const std::pair<std::string, std::string> cases[] = {
        // Anything but a regular file is passed over; the list naming itself
        // is a file in neither element format and loads nothing.
        {d + "huge.txt\n/dev/zero\n" + d + "zero\n" + d + "fifo\n" + d + "sub\n" + d + "datamgr.txt\n" + d +
             "iss.txt\n",
         "0: 25544 ISS (ZARYA)"},
        {">" + d + "\nhuge.txt\nzero\n*zero\n1\n*\nfifo\nsub\ndatamgr.txt\niss.txt\n", "0: 25544 ISS (ZARYA)"},
        // Braces nested a hundred thousand deep: at the top level, inside a
        // file group, inside a skipped group and inside a directory group.
        {deep + shut + d + "iss.txt\n", "-1:"},
        {d + "iss.txt " + deep + shut + "\n" + d + "iss.txt\n", "-1:"},
        {d + "missing " + deep + shut + "\n" + d + "iss.txt\n", "0: 25544 ISS (ZARYA)"},
        {d + "sub {" + deep + shut + "}\n" + d + "iss.txt\n", "-1:"},
        {d + "zero { 1 }\n" + d + "fifo { 1 }\n" + d + "huge.txt { 42 }\n" + d + "iss.txt { 25544 }\n",
         "0: 25544 ISS (ZARYA)"}};
    for (const auto& [text, want] : cases)
        EXPECT_EQ(load_manager(dir, text), want) << text.substr(0, 80);

    // The list itself: a device or FIFO is not opened, a huge file not read.
    EXPECT_EQ(ManagerFile().Load(objs, "/dev/zero"), 1);
    EXPECT_EQ(ManagerFile().Load(objs, dir.file("fifo").c_str()), 1);
    EXPECT_EQ(ManagerFile().Load(objs, huge.c_str()), 7);
    EXPECT_EQ(objs.first, nullptr);
}
