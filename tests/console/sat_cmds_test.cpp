// find, select and passes on a small catalogue; passes against the pass finder itself
// (whose own tests hold it to a brute-force reference).
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/data.h"
#include "con_fixture.h"
#include "console/cmdproc.h"
#include "map/map_fixture.h"
#include "observer/pass_finder.h"

namespace {

object_t* s_selected = nullptr;

class SatCommands : public ConsoleTest {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        for (int i = 0; i < 25; i++)
            g_objs.Add(make_leo(44000 + i, 15.0 + 0.01 * i, false, ("STARLINK-" + std::to_string(1000 + i)).c_str()));
        g_objs.Add(make_leo(25544, 15.5, false, "ISS (ZARYA)"));
        g_objs.Add(make_leo(100001, 14.0, false, "ALPHA FIVE"));
        g_objs.Add(make_leo(5, 0, true, "DECAYED"));
        g_objs.InitPositions();
        s_selected = nullptr;
        g_conSelObj = [](object_t* o) { s_selected = o; };
    }
    void TearDown() override
    {
        g_conSelObj = nullptr;
        g_objs.Free();
        ConsoleTest::TearDown();
    }
};

// Seconds of "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS" after the date of the day before.
double seconds_of(const std::string& s, int* day)
{
    int y, mo, d, h, mi, sec;
    if (std::sscanf(s.c_str(), "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &sec) == 6)
        *day = int(libsgp4::DateTime(y, mo, d, 0, 0, 0, 0).Ticks() / 86400000000LL);
    else
        std::sscanf(s.c_str(), "%d:%d:%d", &h, &mi, &sec);
    return *day * 86400.0 + h * 3600 + mi * 60 + sec;
}

}  // namespace

TEST_F(SatCommands, FindByPatternNameAndNumber)
{
    std::vector<std::string> out = Run("find starlink*");
    ASSERT_EQ(out.size(), 21u);
    EXPECT_TRUE(out[0] == "44000  STARLINK-1000" && out[19] == "44019  STARLINK-1019" && out[20] == "5 more.");
    EXPECT_EQ(Run("find Starlink-1003"), std::vector<std::string>{"44003  STARLINK-1003"});
    EXPECT_EQ(Run("find starlink-102?"), (std::vector<std::string>{"44020  STARLINK-1020", "44021  STARLINK-1021",
                                                                   "44022  STARLINK-1022", "44023  STARLINK-1023",
                                                                   "44024  STARLINK-1024"}));
    EXPECT_EQ(Run("find 25544"), std::vector<std::string>{"25544  ISS (ZARYA)"});
    EXPECT_EQ(Run("find iss (zarya)"), std::vector<std::string>{"25544  ISS (ZARYA)"}) << "words join with a blank";
    EXPECT_EQ(Run("find A0001"), std::vector<std::string>{"100001  ALPHA FIVE"});
    EXPECT_EQ(Run("find 100001"), std::vector<std::string>{"100001  ALPHA FIVE"});
    for (const char* none : {"find ISS", "find 25545", "find STARLINK", "find 0", "find \"\""})
        EXPECT_EQ(Run(none), std::vector<std::string>{"No satellite matches."}) << none;
    EXPECT_EQ(Run("find"), std::vector<std::string>{"Usage: find TEXT"});
    EXPECT_EQ(Run("find *").back(), "8 more.");
}

TEST_F(SatCommands, SelectTakesTheFirstMatchWithAPosition)
{
    g_objs.first->hasPos = false;  // STARLINK-1000
    EXPECT_EQ(Run("select starlink*"), std::vector<std::string>{"Selected 44001  STARLINK-1001"});
    EXPECT_EQ(obj_catnum(s_selected), 44001u);
    s_selected = nullptr;
    for (const char* none : {"select decayed", "select 44000", "select nothing"})
        EXPECT_TRUE(Run(none) == std::vector<std::string>{"No satellite matches."} && !s_selected) << none;
    EXPECT_EQ(Run("select"), std::vector<std::string>{"Usage: select TEXT"});
}

TEST_F(SatCommands, PassesAsThePassFinderFindsThem)
{
    const std::string usage = "Usage: passes [HOURS], HOURS above 0 and at most 240 (default 24)";
    for (const char* bad : {"passes 0", "passes 240.01", "passes -3", "passes abc", "passes nan", "passes 1e400",
                            "passes 12 13"})
        EXPECT_EQ(Run(bad), std::vector<std::string>{usage}) << bad;
    EXPECT_EQ(Run("passes"), std::vector<std::string>{"No satellite selected."});

    g_var.sel.obj = obj_find(25544, g_objs.first);
    g_var.obs.lat = 48.85;
    g_var.obs.lon = 2.35;
    g_var.obs.alt = 35;
    g_var.obs.minel = 5;
    passWindow_t w{};
    w.observer = obs_make(48.85, 2.35, 35);
    w.start = obj_time(0);
    w.length = 48LL * 3600 * 1000000;
    w.minElevation = 5 * M_PI / 180;
    std::vector<pass_t> want;
    ASSERT_TRUE(pass_findOne(*g_var.sel.obj->sgp4, w, want));
    const std::vector<std::string> out = Run("passes 48");
    ASSERT_GT(want.size(), 3u);
    // A pass under way at the start may end just before the command's own start.
    ASSERT_TRUE(out.size() == want.size() || (out.size() + 1 == want.size() && (want[0].flags & PASS_STARTED)));
    const size_t skip = want.size() - out.size();
    for (size_t i = 0; i < out.size(); i++) {
        SCOPED_TRACE(out[i]);
        const pass_t& p = want[i + skip];
        char aos[32], aosTime[16], tca[32], los[32], visible[16] = "";
        double aosAz, el, losAz;
        ASSERT_GE(std::sscanf(out[i].c_str(), "AOS %31s %15s az %lf  TCA %31s el %lf  LOS %31s az %lf %15s", aos,
                              aosTime, &aosAz, tca, &el, los, &losAz, visible), 7);
        int day = 0;
        const double a = seconds_of(std::string(aos) + " " + aosTime, &day);
        const double t = seconds_of(tca, &day), l = seconds_of(los, &day);
        auto secs = [](const libsgp4::DateTime& d) { return d.Ticks() / 1e6; };
        auto az = [](double printed, double rad) { return std::fabs(std::remainder(printed - rad * 180 / M_PI, 360.0)); };
        // Times to the nearest second; the window's ends as the two windows have them.
        EXPECT_NEAR(a, secs(p.aos), (p.flags & PASS_STARTED) ? 2.0 : 0.51);
        EXPECT_NEAR(t, secs(p.tca), 0.51);
        EXPECT_NEAR(l, secs(p.los), (p.flags & PASS_ENDS) ? 2.0 : 0.51);
        EXPECT_TRUE(aosAz >= 0 && aosAz < 360 && losAz >= 0 && losAz < 360);
        EXPECT_LE(az(aosAz, p.aosAzimuth), 0.5 + 1e-9);
        EXPECT_LE(az(losAz, p.losAzimuth), 0.5 + 1e-9);
        EXPECT_NEAR(el, p.tcaElevation * 180 / M_PI, 0.5 + 1e-9);
        EXPECT_EQ(std::string(visible) == "visible", (p.flags & PASS_VISIBLE) != 0);
    }

    // Too far north for a 51.6-degree orbit, and a satellite the model cannot follow.
    g_var.obs.lat = 89;
    EXPECT_EQ(Run("passes 2.5"), std::vector<std::string>{"No passes."});
    g_var.sel.obj = obj_find(5, g_objs.first);
    EXPECT_EQ(Run("passes"),
              std::vector<std::string>{"No passes: the orbit model fails for this satellite within the hours."});
}
