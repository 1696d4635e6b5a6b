#include "datafile/manager_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "elements_fixture.h"
#include "objects/objects.h"
#include "sgp4/Tle.h"
#include "support/fsys.h"

namespace {

using Sats = std::vector<std::string>;

struct loaded_t {
    int result;
    Sats sats;  // "catnum name" in catalogue order
};

loaded_t load_manager(const TempDir& dir, const std::string& text)
{
    CObjects objs;
    ManagerFile mgr;
    const int result = mgr.Load(objs, dir.write("datamgr.txt", text).c_str());
    Sats sats;
    for (object_t* o = objs.first; o; o = o->next)
        sats.push_back(std::to_string(obj_catnum(o)) + " " + o->tle->Name());
    return {result, sats};
}

}  // namespace

TEST(ManagerFile, VersionAndIdentifiers)
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
        {"25544", 25544}, {"A0001", 100001}, {"A", 100000}, {"Z9999", 339999}, {"0", 0},
        {"ISS*", 0},      {"25544X", 0},     {"I0001", 0},  {"a0001", 0}};
    for (const auto& [text, id] : ids)
        EXPECT_EQ(ManagerFile::CatId(text), id) << text;
}

TEST(ManagerFile, WorkedExampleVersion2)
{
    TempDir dir;
    dir.mkdir("cat");
    dir.write("stations.txt", tle_text("ISS (ZARYA)", "25544") + tle_text("CSS (TIANHE)", "48274"));
    std::string csv = s_csvHeader;
    const std::pair<const char*, const char*> rows[] = {
        {"ISS (ZARYA)", "25544"}, {"OBJECT A", "100001"}, {"STARLINK-1008", "44714"}, {"starlink-1012", "44718"},
        {"ISS AGAIN", "25544"}, {"OTHER", "11111"}, {"OBJECT A AGAIN", "100001"}, {"Starlink-2000", "47000"}};
    for (const auto& [name, number] : rows)
        csv += csv_row({{0, name}, {11, number}});
    dir.write("cat/active.csv", csv);
    dir.write("cat/weather.txt", tle_text("NOAA 19", "33591") + tle_text("METEOR", "40069"));
    const loaded_t r = load_manager(dir, dir.file("stations.txt\n") + dir.path() +
                                             "/cat {\n    active.csv {\n        25544\n        A0001\n"
                                             "        STARLINK*\n    }\n    weather.txt\n    missing.txt\n}\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)", "48274 CSS (TIANHE)", "25544 ISS (ZARYA)", "100001 OBJECT A",
                            "44714 STARLINK-1008", "44718 starlink-1012", "47000 Starlink-2000", "33591 NOAA 19",
                            "40069 METEOR"}));
}

TEST(ManagerFile, WorkedExampleVersion1)
{
    TempDir dir;
    dir.write("stations.txt", tle_text("ISS (ZARYA)", "25544"));
    dir.write("visual.txt", tle_text("ISS (ZARYA)", "25544") + tle_text("ISS DEB", "12345") +
                                tle_text("OTHER", "11111") + tle_text("X", "25544") + tle_text("iss deb 2", "12346"));
    dir.write("extra.tle", tle_text("EXTRA", "A0001"));
    // After "<" names are taken from the working directory.
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd) && chdir(dir.path().c_str()) == 0);
    const loaded_t r = load_manager(dir, "# comment\n  >" + dir.path() +
                                             "/  \nstations.txt\n*visual.txt\n25544\n\n# a comment inside the "
                                             "block\nISS*\n*\n<\nextra.tle\r\n");
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)", "25544 ISS (ZARYA)", "12345 ISS DEB", "12346 iss deb 2",
                            "100001 EXTRA"}));
}

TEST(ManagerFile, Version1Edges)
{
    TempDir dir;
    const std::string d = dir.path() + "/";
    dir.write("a.txt", tle_text("A0001", "A0001") + tle_text("ONE", "00001"));
    // A0001 is a name in version 1; identifiers of a block without a file
    // name apply to the next file.
    EXPECT_EQ(load_manager(dir, "*" + d + "a.txt\nA0001\n*\n").sats, (Sats{"100001 A0001"}));
    EXPECT_EQ(load_manager(dir, "*\n1\n*\n" + d + "a.txt\n" + d + "a.txt\n").sats,
              (Sats{"1 ONE", "100001 A0001", "1 ONE"}));
    // An unclosed block, or one without identifiers, loads nothing.
    const loaded_t r = load_manager(dir, "*" + d + "a.txt\n1\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_TRUE(r.sats.empty());
    EXPECT_TRUE(load_manager(dir, "*" + d + "a.txt\n*\n").sats.empty());
    // Missing files, directories and FIFOs are passed over; the next entry loads.
    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0644), 0);
    EXPECT_EQ(load_manager(dir, ">" + d + "\nmissing.txt\n.\nfifo\n*fifo\n1\n*\na.txt\n").sats,
              (Sats{"100001 A0001", "1 ONE"}));
}

TEST(ManagerFile, Version2Edges)
{
    TempDir dir;
    const std::string d = dir.path() + "/";
    dir.mkdir("sub");
    dir.write("sub/a.txt", tle_text("A", "00001"));
    dir.write("sub/b.txt", tle_text("B", "00002"));
    dir.write("sub/c.txt", tle_text("C", "00003") + tle_text("C2", "00004"));
    dir.write("stations.txt", tle_text("ISS (ZARYA)", "25544"));
    dir.write("mix.txt", tle_text("A0001", "A0001") + tle_text("0", "00007") + tle_text("ZED", "00009"));
    const Sats iss{"25544 ISS (ZARYA)"};
    // Stray braces make -1 but what could be loaded is.
    const std::pair<std::string, loaded_t> cases[] = {
        {d + "stations.txt", {0, iss}},
        {d + "stations.txt\n}\n" + d + "stations.txt\n", {-1, iss}},
        {"{\n" + d + "stations.txt\n}\n", {-1, {}}},
        {"", {0, {}}},
        // Each entry of a directory group is joined to the directory alone; a
        // file listed twice loads twice; groups under missing paths are
        // skipped whole, nested braces included.
        {d + "sub {\n a.txt\n b.txt\n c.txt { 4 }\n nothere { x { y } }\n a.txt\n}\n" + d +
             "none { 1 { 2 } }\n" + d + "stations.txt\n",
         {0, {"1 A", "2 B", "4 C2", "1 A", "25544 ISS (ZARYA)"}}},
        // A directory group inside a directory group is skipped.
        {dir.path() + " {\n sub {\n  a.txt\n }\n stations.txt\n}\n", {0, iss}},
        // File groups: numbers, Alpha-5 and names; an empty group loads
        // nothing; an unclosed group still loads its file; "0" is a name.
        {d + "mix.txt {\nA0001\n}\n" + d + "mix.txt { }\n" + d + "mix.txt {\n0\nzed\n",
         {0, {"100001 A0001", "7 0", "9 ZED"}}},
        // A '{' inside a file group ends it; its '}' is then a stray brace.
        {d + "mix.txt {\n9\n{\n}\n" + d + "stations.txt\n", {-1, {"9 ZED"}}}};
    for (const auto& [text, want] : cases) {
        const loaded_t r = load_manager(dir, text);
        EXPECT_EQ(r.result, want.result) << text;
        EXPECT_EQ(r.sats, want.sats) << text;
    }
}

TEST(ManagerFile, OverlongEntriesArePassedOver)
{
    TempDir dir;
    // A path exactly as long as a version-1 line may be, and lines that
    // start with it but go on.
    const std::string sub = dir.mkdir(std::string(200, 'd'));
    const std::string fits = sub + "/" + std::string(ManagerFile::V1_NAME_MAX - sub.size() - 1, 'f');
    ASSERT_EQ(fits.size(), ManagerFile::V1_NAME_MAX);
    dir.write(fits.substr(dir.path().size() + 1), tle_text("FITS", "00001"));
    const std::string ok = dir.write("ok.txt", tle_text("OK", "00002"));
    EXPECT_EQ(load_manager(dir, fits + "\n" + fits + "xyz\n" + ok + "\n>" + fits + "xyz/\nok.txt\n").sats,
              (Sats{"1 FITS", "2 OK"}));
    // Version-1 joins longer than their room, even when the file exists.
    dir.write(std::string(200, 'd') + "/" + std::string(110, 'f'), tle_text("LONG", "00004"));
    EXPECT_TRUE(load_manager(dir, ">" + sub + "/\n" + std::string(110, 'f') + "\n").sats.empty());

    // Version 2: a token of 511 characters is used; a longer one that begins
    // with it is not, and its group is skipped.
    const std::string sub2 = dir.mkdir(std::string(200, 'd') + "/" + std::string(200, 'e'));
    const std::string fits2 = sub2 + "/" + std::string(ManagerFile::TOKEN_CAP - 1 - sub2.size() - 1, 'g');
    ASSERT_EQ(fits2.size(), ManagerFile::TOKEN_CAP - 1);
    dir.write(fits2.substr(dir.path().size() + 1), tle_text("FITS2", "00003"));
    const loaded_t r = load_manager(dir, fits2 + "\n" + fits2 + "h\n" + fits2 + "h { 3 }\n" + ok + "\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"3 FITS2", "2 OK"}));
}

TEST(ManagerFile, WholeSnapshotOnceInFileOrder)
{
    const std::string base = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";
    if (fsys_type(base.c_str()) != 2)
        GTEST_SKIP() << "shared element snapshot absent: " << base;
    // The expected order, read straight from the three-line files.
    Sats expected;
    std::string text;
    for (const char* g : {"stations", "starlink", "oneweb", "geo", "weather", "resource", "science", "military"}) {
        text += base + g + ".tle\n";
        std::ifstream in(base + g + ".tle");
        std::string name, l1, l2;
        while (std::getline(in, name) && std::getline(in, l1) && std::getline(in, l2)) {
            name.erase(name.find_last_not_of(" \r") + 1);
            expected.push_back(std::to_string(std::stoul(l1.substr(2, 5))) + " " + name);
        }
    }
    TempDir dir;
    const loaded_t r = load_manager(dir, text);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats.size(), 11958u);
    EXPECT_EQ(r.sats, expected);
}
