#include "datafile/manager_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "objects/objects.h"
#include "objects/tle_fixture.h"
#include "sgp4/Tle.h"
#include "support/fsys.h"

namespace {

// "catnum name" of every satellite, in catalogue order.
std::vector<std::string> listing(const CObjects& objs)
{
    std::vector<std::string> out;
    for (object_t* o = objs.first; o; o = o->next)
        out.push_back(std::to_string(obj_catnum(o)) + " " + o->tle->Name());
    return out;
}

struct Loaded {
    int result;
    std::vector<std::string> sats;
};

Loaded load_manager(const TempDir& dir, const std::string& text)
{
    write_file(dir / "datamgr.txt", text);
    CObjects objs;
    ManagerFile mgr;
    const int result = mgr.Load(objs, (dir / "datamgr.txt").c_str());
    return {result, listing(objs)};
}

int version_of(const TempDir& dir, const std::string& text)
{
    write_file(dir / "v.txt", text);
    ManagerFile mgr;
    EXPECT_EQ(mgr.Open((dir / "v.txt").c_str()), 0u);
    return mgr.Version();
}

std::string tle(const std::string& name, const std::string& number)
{
    tleSpec_t s;
    s.name = name;
    s.number = number;
    return tle_text(s);
}

using Sats = std::vector<std::string>;

}  // namespace

TEST(ManagerFile, Version)
{
    TempDir dir;
    EXPECT_EQ(version_of(dir, ""), 2);
    EXPECT_EQ(version_of(dir, "stations.txt\n"), 2);
    EXPECT_EQ(version_of(dir, "# a\n>/sat/\n{\n"), 1);
    EXPECT_EQ(version_of(dir, "/sat {\n a.csv {\n STARLINK*\n }\n}\n"), 2);
    EXPECT_EQ(version_of(dir, "*x.txt\n25544\n*\n"), 1);
    EXPECT_EQ(version_of(dir, "a.txt\n \t*x.txt\n"), 1);
    EXPECT_EQ(version_of(dir, "a.txt STARLINK*\n"), 2);
    // The scan does not skip comments.
    EXPECT_EQ(version_of(dir, "# {\n>/sat/\n"), 2);
}

TEST(ManagerFile, WorkedExampleVersion2)
{
    TempDir dir;
    mkdir((dir / "cat").c_str(), 0755);
    write_file(dir / "stations.txt", tle("ISS (ZARYA)", "25544") + tle("CSS (TIANHE)", "48274"));
    write_file(dir / "cat/active.csv",
               csv_header() + csv_row("ISS (ZARYA)", 25544) + csv_row("OBJECT A", 100001) +
                   csv_row("STARLINK-1008", 44714) + csv_row("starlink-1012", 44718) +
                   csv_row("ISS AGAIN", 25544) + csv_row("OTHER", 11111) +
                   csv_row("OBJECT A AGAIN", 100001) + csv_row("Starlink-2000", 47000));
    write_file(dir / "cat/weather.txt", tle("NOAA 19", "33591") + tle("METEOR", "40069"));
    const Loaded r = load_manager(dir, dir.path + "/stations.txt\n" + dir.path +
                                           "/cat {\n"
                                           "    active.csv {\n"
                                           "        25544\n"
                                           "        A0001\n"
                                           "        STARLINK*\n"
                                           "    }\n"
                                           "    weather.txt\n"
                                           "    missing.txt\n"
                                           "}\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)", "48274 CSS (TIANHE)", "25544 ISS (ZARYA)",
                            "100001 OBJECT A", "44714 STARLINK-1008", "44718 starlink-1012",
                            "47000 Starlink-2000", "33591 NOAA 19", "40069 METEOR"}));
}

TEST(ManagerFile, WorkedExampleVersion1)
{
    TempDir dir;
    write_file(dir / "stations.txt", tle("ISS (ZARYA)", "25544"));
    write_file(dir / "visual.txt", tle("ISS (ZARYA)", "25544") + tle("ISS DEB", "12345") +
                                       tle("OTHER", "11111") + tle("X", "25544") +
                                       tle("iss deb 2", "12346"));
    write_file(dir / "extra.tle", tle("EXTRA", "A0001"));
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    ASSERT_EQ(chdir(dir.path.c_str()), 0);
    const Loaded r = load_manager(dir, "# comment\n"
                                       "  >" + dir.path + "/  \n"
                                       "stations.txt\n"
                                       "*visual.txt\n"
                                       "25544\n"
                                       "\n"
                                       "# a comment inside the block\n"
                                       "ISS*\n"
                                       "*\n"
                                       "<\n"
                                       "extra.tle\r\n");
    ASSERT_EQ(chdir(cwd), 0);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)", "25544 ISS (ZARYA)", "12345 ISS DEB",
                            "12346 iss deb 2", "100001 EXTRA"}));
}

TEST(ManagerFile, Version1Edges)
{
    TempDir dir;
    const std::string d = dir.path + "/";
    write_file(dir / "a.txt", tle("A0001", "A0001") + tle("ONE", "00001"));
    // A0001 is a name in version 1: the name-less element set is named so.
    Loaded r = load_manager(dir, "*" + d + "a.txt\nA0001\n*\n");
    EXPECT_EQ(r.sats, (Sats{"100001 A0001"}));
    // Identifiers of a block without a file name apply to the next file.
    r = load_manager(dir, "*\n1\n*\n" + d + "a.txt\n" + d + "a.txt\n");
    EXPECT_EQ(r.sats, (Sats{"1 ONE", "100001 A0001", "1 ONE"}));
    // An unclosed block loads nothing; a block with no identifiers neither.
    r = load_manager(dir, "*" + d + "a.txt\n1\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_TRUE(r.sats.empty());
    r = load_manager(dir, "*" + d + "a.txt\n*\n");
    EXPECT_TRUE(r.sats.empty());
    // Missing files, directories and FIFOs are passed over; the next entry loads.
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    r = load_manager(dir, ">" + d + "\nmissing.txt\n.\nfifo\n*fifo\n1\n*\na.txt\n");
    EXPECT_EQ(r.sats, (Sats{"100001 A0001", "1 ONE"}));
}

TEST(ManagerFile, Version2Edges)
{
    TempDir dir;
    const std::string d = dir.path + "/";
    mkdir((dir / "sub").c_str(), 0755);
    write_file(dir / "sub/a.txt", tle("A", "00001"));
    write_file(dir / "sub/b.txt", tle("B", "00002"));
    write_file(dir / "sub/c.txt", tle("C", "00003") + tle("C2", "00004"));
    write_file(dir / "stations.txt", tle("ISS (ZARYA)", "25544"));

    Loaded r = load_manager(dir, d + "stations.txt");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)"}));
    r = load_manager(dir, d + "stations.txt\n}\n" + d + "stations.txt\n");
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)"}));
    r = load_manager(dir, "{\n" + d + "stations.txt\n}\n");
    EXPECT_EQ(r.result, -1);
    EXPECT_TRUE(r.sats.empty());
    r = load_manager(dir, "");
    EXPECT_EQ(r.result, 0);
    EXPECT_TRUE(r.sats.empty());

    // Each entry of a directory group is joined to the directory alone; a
    // file listed twice is loaded twice; groups under missing paths are
    // skipped whole, nested braces included.
    r = load_manager(dir, d + "sub {\n a.txt\n b.txt\n c.txt { 4 }\n nothere { x { y } }\n"
                          " a.txt\n}\n" + d + "none { 1 { 2 } }\n" + d + "stations.txt\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"1 A", "2 B", "4 C2", "1 A", "25544 ISS (ZARYA)"}));
    // A directory group inside a directory group is skipped.
    r = load_manager(dir, dir.path + " {\n sub {\n  a.txt\n }\n stations.txt\n}\n");
    EXPECT_EQ(r.sats, (Sats{"25544 ISS (ZARYA)"}));
    // File groups: numbers, Alpha-5 and names; an empty group loads nothing;
    // an unclosed group still loads its file; "0" is a name.
    write_file(dir / "mix.txt", tle("A0001", "A0001") + tle("0", "00007") + tle("ZED", "00009"));
    r = load_manager(dir, d + "mix.txt {\nA0001\n}\n" + d + "mix.txt { }\n" + d +
                              "mix.txt {\n0\nzed\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"100001 A0001", "7 0", "9 ZED"}));
    // A '{' inside a file group ends the group (its file is loaded); the
    // '}' meant for it is then a stray brace at the top level.
    r = load_manager(dir, d + "mix.txt {\n9\n{\n}\n" + d + "stations.txt\n");
    EXPECT_EQ(r.result, -1);
    EXPECT_EQ(r.sats, (Sats{"9 ZED"}));
}

TEST(ManagerFile, CatId)
{
    EXPECT_EQ(ManagerFile::CatId("25544"), 25544u);
    EXPECT_EQ(ManagerFile::CatId("A0001"), 100001u);
    EXPECT_EQ(ManagerFile::CatId("A"), 100000u);
    EXPECT_EQ(ManagerFile::CatId("Z9999"), 339999u);
    EXPECT_EQ(ManagerFile::CatId("0"), 0u);
    EXPECT_EQ(ManagerFile::CatId("ISS*"), 0u);
    EXPECT_EQ(ManagerFile::CatId("25544X"), 0u);
    EXPECT_EQ(ManagerFile::CatId("I0001"), 0u);
    EXPECT_EQ(ManagerFile::CatId("a0001"), 0u);
}

TEST(ManagerFile, OverlongEntriesArePassedOver)
{
    TempDir dir;
    // A file whose path is exactly as long as a version-1 line may be, and a
    // line that starts with that path but goes on.
    const std::string sub = dir / std::string(200, 'd');
    mkdir(sub.c_str(), 0755);
    const std::string fits = sub + "/" + std::string(ManagerFile::V1_NAME_MAX - sub.size() - 1, 'f');
    ASSERT_EQ(fits.size(), ManagerFile::V1_NAME_MAX);
    write_file(fits, tle("FITS", "00001"));
    write_file(dir / "ok.txt", tle("OK", "00002"));
    Loaded r = load_manager(dir, fits + "\n" + fits + "xyz\n" + dir.path + "/ok.txt\n>" + fits +
                                     "xyz/\nok.txt\n");
    EXPECT_EQ(r.sats, (Sats{"1 FITS", "2 OK"}));
    // Version 1 joins longer than their room, even when the file exists.
    write_file(sub + "/" + std::string(110, 'f'), tle("LONG", "00004"));
    r = load_manager(dir, ">" + sub + "/\n" + std::string(110, 'f') + "\n");
    EXPECT_TRUE(r.sats.empty());

    // Version 2: a token of 511 characters is used; a longer one that begins
    // with it is not, and its group is skipped.
    const std::string sub2 = sub + "/" + std::string(200, 'e');
    mkdir(sub2.c_str(), 0755);
    const std::string fits2 =
        sub2 + "/" + std::string(ManagerFile::TOKEN_CAP - 1 - sub2.size() - 1, 'g');
    ASSERT_EQ(fits2.size(), ManagerFile::TOKEN_CAP - 1);
    write_file(fits2, tle("FITS2", "00003"));
    r = load_manager(dir, fits2 + "\n" + fits2 + "h\n" + fits2 + "h { 3 }\n" + dir.path +
                              "/ok.txt\n");
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats, (Sats{"3 FITS2", "2 OK"}));
}

TEST(ManagerFile, WholeSnapshotOnceInFileOrder)
{
    const std::string base = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";
    const char* groups[] = {"stations", "starlink", "oneweb", "geo",
                            "weather",  "resource", "science", "military"};
    if (fsys_type(base.c_str()) != 2)
        GTEST_SKIP() << "shared element snapshot absent: " << base;
    // The expected order, read straight from the three-line files.
    Sats expected;
    std::string text;
    for (const char* g : groups) {
        text += base + g + ".tle\n";
        std::ifstream in(base + g + ".tle");
        std::string name, l1, l2;
        while (std::getline(in, name) && std::getline(in, l1) && std::getline(in, l2)) {
            name.erase(name.find_last_not_of(" \r") + 1);
            expected.push_back(std::to_string(std::stoul(l1.substr(2, 5))) + " " + name);
        }
    }
    TempDir dir;
    const Loaded r = load_manager(dir, text);
    EXPECT_EQ(r.result, 0);
    EXPECT_EQ(r.sats.size(), 11958u);
    EXPECT_EQ(r.sats, expected);
}
