// The real snapshot: both readers read every set, one data manager file loads
// each satellite once in file order, and both forms give the same positions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "datafile/elements_reader.h"
#include "datafile/manager_file.h"
#include "elements_fixture.h"
#include "objects/objects.h"
#include "sgp4/SGP4.h"

namespace {

const std::string s_dir = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";

// Every set of the file, by the reader the loader picks (the expected one):
// as many as lines starting "1 " or rows below the header.
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
    std::istringstream in(read_file(path));
    size_t n = csvExpected ? size_t(-1) : 0;
    for (std::string l; std::getline(in, l);)
        n += csvExpected ? l.size() > 1 : l.compare(0, 2, "1 ") == 0;
    EXPECT_EQ(out.size(), n) << path;
    return out;
}

}  // namespace

TEST(Snapshot, ReadersManagerAndBothForms)
{
    if (shared_data("elements-2026-05-30").empty())
        GTEST_SKIP() << "element snapshot not found in " << s_dir;
    std::vector<std::string> expected, loaded;
    std::string manager;
    for (const char* g : {"stations", "starlink", "oneweb", "geo", "weather", "resource", "science", "military"}) {
        manager += s_dir + g + ".tle\n";
        for (const OrbitalElements_t& el : load(s_dir + g + ".tle", false))
            expected.push_back(std::to_string(el.catalogNumber) + " " + el.name);
    }
    EXPECT_EQ(expected.size(), 11958u);
    TempDir dir;
    CObjects objs;
    EXPECT_EQ(ManagerFile().Load(objs, dir.write("datamgr.txt", manager).c_str()), 0);
    for (object_t* o = objs.first; o; o = o->next)
        loaded.push_back(std::to_string(obj_catnum(o)) + " " + o->tle->Name());
    EXPECT_EQ(loaded, expected);

    // Minutes from each form's own epoch (those may differ by the few
    // microseconds a day-of-year epoch resolves in one double).
    double worst = 0.0;
    for (const std::string g : {"geo", "starlink"}) {
        const auto c = load(s_dir + g + ".csv", true), t = load(s_dir + g + ".tle", false);
        ASSERT_EQ(c.size(), t.size()) << g;
        for (size_t i = 0; i < c.size(); ++i) {
            ASSERT_EQ(c[i].catalogNumber, t[i].catalogNumber);
            EXPECT_EQ(c[i].name, t[i].name);
            const libsgp4::Tle ta(c[i]), tb(t[i]);
            EXPECT_LE(std::llabs(ta.Epoch().Ticks() - tb.Epoch().Ticks()), 10) << c[i].name;
            const libsgp4::SGP4 sa(ta), sb(tb);
            for (double d : {0.0, 90.0, 1440.0, 10080.0}) {
                try {
                    const libsgp4::Vector pa = sa.FindPosition(d).Position(), pb = sb.FindPosition(d).Position();
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
