// The real element snapshot: both readers read every element set of every
// file, and the TLE and CSV forms of a satellite give the same positions.
#include <gtest/gtest.h>

#include <cmath>
#include <dirent.h>
#include <map>
#include <string>
#include <vector>

#include "datafile/elements_reader.h"
#include "sgp4/SGP4.h"

namespace {

const std::string s_dir = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30";

std::vector<std::string> filesEndingIn(const std::string& ext)
{
    std::vector<std::string> out;
    if (DIR* d = opendir(s_dir.c_str())) {
        while (dirent* e = readdir(d)) {
            const std::string n = e->d_name;
            if (n.size() > ext.size() && n.compare(n.size() - ext.size(), ext.size(), ext) == 0)
                out.push_back(s_dir + "/" + n);
        }
        closedir(d);
    }
    return out;
}

// Lines of the text that start with the prefix (any non-empty line for "").
size_t countLines(TextFile& t, std::string_view prefix)
{
    size_t n = 0;
    t.SeekSet(0);
    std::string_view l;
    while (!t.IsEnd()) {
        t.ReadLine(l);
        n += !l.empty() && l.substr(0, prefix.size()) == prefix;
    }
    return n;
}

struct loaded_t {
    std::vector<OrbitalElements_t> sets;
    bool atEnd = false;
    bool csv = false;
};

loaded_t load(const std::string& path)
{
    loaded_t out;
    TextFile t;
    EXPECT_EQ(t.Load(path), 0) << path;
    CsvFile csv;
    TleFile tle;
    ElementsFile* r = elements_bind(&t, csv, tle);
    EXPECT_NE(r, nullptr) << path;
    if (!r)
        return out;
    out.csv = r == &csv;
    OrbitalElements_t el;
    for (bool ok = r->ReadFirstElements(el); ok; ok = r->ReadNextElements(el))
        out.sets.push_back(el);
    out.atEnd = t.IsEnd();
    return out;
}

}  // namespace

TEST(Snapshot, BothReadersReadEveryElementSet)
{
    const std::vector<std::string> tles = filesEndingIn(".tle");
    if (tles.empty())
        GTEST_SKIP() << "element snapshot not found in " << s_dir;
    size_t total = 0;
    for (const std::string& path : tles) {
        TextFile t;
        ASSERT_EQ(t.Load(path), 0);
        const size_t expected = countLines(t, "1 ");
        const loaded_t l = load(path);
        EXPECT_FALSE(l.csv) << path;
        EXPECT_EQ(l.sets.size(), expected) << path;
        EXPECT_TRUE(l.atEnd) << path;
        total += l.sets.size();
    }
    EXPECT_EQ(total, 11958u);

    for (const std::string& path : filesEndingIn(".csv")) {
        TextFile t;
        ASSERT_EQ(t.Load(path), 0);
        const size_t rows = countLines(t, "") - 1;
        const loaded_t l = load(path);
        EXPECT_TRUE(l.csv) << path;
        EXPECT_EQ(l.sets.size(), rows) << path;
        EXPECT_TRUE(l.atEnd) << path;
    }
}

TEST(Snapshot, TleAndCsvFormsAgree)
{
    const std::vector<std::string> csvs = filesEndingIn(".csv");
    if (csvs.empty())
        GTEST_SKIP() << "element snapshot not found in " << s_dir;
    // Minutes from each form's own epoch: the two epochs may differ by a few
    // microseconds, the resolution of the day-of-year epoch in one double.
    const double when[] = {0.0, 90.0, 1440.0, 10080.0};
    double worst = 0.0;
    size_t compared = 0;
    for (const std::string& csvPath : csvs) {
        const loaded_t c = load(csvPath);
        const loaded_t t = load(csvPath.substr(0, csvPath.size() - 4) + ".tle");
        ASSERT_EQ(c.sets.size(), t.sets.size()) << csvPath;
        for (size_t i = 0; i < c.sets.size(); ++i) {
            const OrbitalElements_t& a = c.sets[i];
            const OrbitalElements_t& b = t.sets[i];
            ASSERT_EQ(a.catalogNumber, b.catalogNumber);
            EXPECT_EQ(a.name, b.name);
            const libsgp4::Tle ta(a), tb(b);
            EXPECT_LE(std::llabs(ta.Epoch().Ticks() - tb.Epoch().Ticks()), 10) << a.name;
            const libsgp4::SGP4 sa(ta), sb(tb);
            for (double d : when) {
                try {
                    const libsgp4::Vector pa = sa.FindPosition(d).Position();
                    const libsgp4::Vector pb = sb.FindPosition(d).Position();
                    const double dist = std::sqrt(std::pow(pa.x - pb.x, 2) + std::pow(pa.y - pb.y, 2) +
                                                  std::pow(pa.z - pb.z, 2));
                    worst = std::max(worst, dist);

                    ++compared;
                } catch (const std::runtime_error& e) {
                    // Both forms must fail alike.
                    EXPECT_THROW(sa.FindPosition(d), std::runtime_error) << a.name;
                    EXPECT_THROW(sb.FindPosition(d), std::runtime_error) << a.name;
                }
            }
        }
    }
    EXPECT_LT(worst, 1e-5);  // km: 1 cm
    std::printf("%zu positions compared, largest TLE/CSV difference %.3e km\n", compared, worst);
}
