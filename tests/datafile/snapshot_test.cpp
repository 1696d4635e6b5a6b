// The real element snapshot: both readers read every element set of every
// file, and the TLE and CSV forms of a satellite give the same positions.
#include <gtest/gtest.h>

#include <dirent.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "datafile/elements_reader.h"
#include "elements_fixture.h"
#include "sgp4/SGP4.h"

namespace {

const std::string s_dir = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";

std::vector<std::string> files(const std::string& ext)
{
    std::vector<std::string> out;
    if (DIR* d = opendir(s_dir.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n.size() > ext.size() && n.compare(n.size() - ext.size(), ext.size(), ext) == 0)
                out.push_back(s_dir + n);
        }
        closedir(d);
    }
    return out;
}

// Every set of the file, read by the reader the loader picks, which must be
// the expected one and must reach the end of the file.
std::vector<OrbitalElements_t> load(const std::string& path, bool csvExpected)
{
    TextFile t;
    CsvFile csv;
    TleFile tle;
    EXPECT_EQ(t.Load(path), 0) << path;
    ElementsFile* r = elements_bind(&t, csv, tle);
    EXPECT_EQ(r, csvExpected ? static_cast<ElementsFile*>(&csv) : &tle) << path;
    std::vector<OrbitalElements_t> out;
    OrbitalElements_t el;
    for (bool ok = r && r->ReadFirstElements(el); ok; ok = r->ReadNextElements(el))
        out.push_back(el);
    EXPECT_TRUE(t.IsEnd()) << path;
    return out;
}

// Element sets in the text: lines starting "1 " (TLE), or non-empty lines but the header (CSV).
size_t count_sets(const std::string& path, bool csv)
{
    std::istringstream in(read_file(path));
    size_t n = 0;
    for (std::string l; std::getline(in, l);)
        n += csv ? l.size() > 1 : l.compare(0, 2, "1 ") == 0;
    return csv ? n - 1 : n;
}

}  // namespace

TEST(Snapshot, BothReadersReadEveryElementSet)
{
    if (files(".tle").empty())
        GTEST_SKIP() << "element snapshot not found in " << s_dir;
    size_t total = 0;
    for (const std::string& path : files(".tle")) {
        const size_t n = load(path, false).size();
        EXPECT_EQ(n, count_sets(path, false)) << path;
        total += n;
    }
    EXPECT_EQ(total, 11958u);
    for (const std::string& path : files(".csv"))
        EXPECT_EQ(load(path, true).size(), count_sets(path, true)) << path;
}

TEST(Snapshot, TleAndCsvFormsAgree)
{
    if (files(".csv").empty())
        GTEST_SKIP() << "element snapshot not found in " << s_dir;
    // Minutes from each form's own epoch: the two epochs may differ by a few
    // microseconds, the resolution of the day-of-year epoch in one double.
    double worst = 0.0;
    for (const std::string& path : files(".csv")) {
        const auto c = load(path, true);
        const auto t = load(path.substr(0, path.size() - 4) + ".tle", false);
        ASSERT_EQ(c.size(), t.size()) << path;
        for (size_t i = 0; i < c.size(); ++i) {
            ASSERT_EQ(c[i].catalogNumber, t[i].catalogNumber);
            EXPECT_EQ(c[i].name, t[i].name);
            const libsgp4::Tle ta(c[i]), tb(t[i]);
            EXPECT_LE(std::llabs(ta.Epoch().Ticks() - tb.Epoch().Ticks()), 10) << c[i].name;
            const libsgp4::SGP4 sa(ta), sb(tb);
            for (double d : {0.0, 90.0, 1440.0, 10080.0}) {
                try {
                    const libsgp4::Vector pa = sa.FindPosition(d).Position();
                    const libsgp4::Vector pb = sb.FindPosition(d).Position();
                    worst = std::max(worst, std::hypot(pa.x - pb.x, pa.y - pb.y, pa.z - pb.z));
                } catch (const std::runtime_error&) {
                    // Both forms must fail alike.
                    EXPECT_THROW(sa.FindPosition(d), std::runtime_error) << c[i].name;
                    EXPECT_THROW(sb.FindPosition(d), std::runtime_error) << c[i].name;
                }
            }
        }
    }
    EXPECT_LT(worst, 1e-5);  // km: 1 cm
    std::printf("largest TLE/CSV difference %.3e km\n", worst);
}
