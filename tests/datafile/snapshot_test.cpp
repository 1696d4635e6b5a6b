// The real snapshot: every set read, loaded once in order, same positions from both forms.
#include <cmath>
#include <sstream>

#include "datafile/elements_reader.h"
#include "elements_fixture.h"

namespace {

const std::string s_dir = std::string(SKYTRACE_SHARED_DATA) + "/elements-2026-05-30/";

// Every set of the file by the reader the loader picks: one per "1 " line or row.
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
    std::string manager, expected = "0:";
    size_t count = 0;
    for (const char* g : {"stations", "starlink", "oneweb", "geo", "weather", "resource", "science", "military"}) {
        manager += s_dir + g + ".tle\n";
        for (const OrbitalElements_t& el : load(s_dir + g + ".tle", false))
            expected += (count++ ? ", " : " ") + std::to_string(el.catalogNumber) + " " + el.name;
    }
    EXPECT_EQ(count, 11958u);
    EXPECT_EQ(load_manager(TempDir(), manager), expected);

    // Minutes from each form's own epoch (a day-of-year double resolves a few microseconds).
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
                // Both forms succeed or fail alike.
                libsgp4::Eci ea(ta.Epoch(), {}, {}), eb(ea);
                libsgp4::PropagationFailure fa, fb;
                EXPECT_EQ(sa.TryFindPosition(d, ea, fa), sb.TryFindPosition(d, eb, fb)) << c[i].name;
                EXPECT_EQ(fa, fb) << c[i].name;
                const libsgp4::Vector pa = ea.Position(), pb = eb.Position();
                if (fa == libsgp4::PropagationFailure::None)
                    worst = std::max(worst, std::hypot(pa.x - pb.x, pa.y - pb.y, pa.z - pb.z));
            }
        }
    }
    EXPECT_LT(worst, 1e-5);  // km: 1 cm
    std::printf("largest TLE/CSV difference %.3e km\n", worst);
}
