// The observer layers on an offscreen map: pixels read back and judged by where they
// lie on the globe, against the horizon distance and the Sun's elevation worked out
// for each pixel.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "app/app_loop.h"
#include "console/cmdproc.h"
#include "console/console.h"
#include "observer/observer.h"
#include "observer/sun.h"
#include "settings/ini_vars.h"
#include "test_util.h"
#include "ui/info_view.h"
#include "ui/map_layers.h"
#include "ui/ui_fixture.h"

namespace {

const double s_deg = M_PI / 180.0;
const color4b_t BG = {100, 100, 100, 255};

class LayersTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.plot.bg.color = BG;
        g_var.info.show = false;
    }
    // Longitude and latitude (degrees) of a pixel centre of the equirectangular map, in window
    // coordinates; false outside the map.
    bool Geo(int x, int y, double* lon, double* lat) const
    {
        const int32_t* b = g_boundsS;
        const SDL_Rect& p = w.plot.rect;
        *lon = -180 + (x - p.x - b[0] + 0.5) * 360.0 / (b[2] - b[0]);
        *lat = 90 - (y - p.y - b[1] + 0.5) * 180.0 / (b[3] - b[1]);
        return std::fabs(*lon) < 180 && std::fabs(*lat) < 90;
    }
    // The selected satellite, placed and at a height.
    void Select(double lonDeg, double latDeg, double altKm)
    {
        LoadSatellites({{"SAT", 1, float(lonDeg), float(latDeg), true}});
        g_objs.first->altitude = altKm;
        w.SelObj(g_objs.first);
    }
    // Pixels of the footprint's colour and how many of them lie farther than tol degrees from
    // the horizon circle of the sub-satellite point.
    std::pair<int, int> FootprintPixels(double lonDeg, double latDeg, double altKm, double tol)
    {
        const double half = std::acos(6378.135 / (6378.135 + altKm)) / s_deg;
        int n = 0, off = 0;
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                double lon, lat;
                if (!same_color(Pixel(x, y), g_var.foot.color) || !Geo(x, y, &lon, &lat))
                    continue;
                const double c = std::sin(latDeg * s_deg) * std::sin(lat * s_deg) +
                                 std::cos(latDeg * s_deg) * std::cos(lat * s_deg) * std::cos((lon - lonDeg) * s_deg);
                n++;
                off += std::fabs(std::acos(std::clamp(c, -1.0, 1.0)) / s_deg - half) > tol;
            }
        }
        return {n, off};
    }
};

}  // namespace

TEST_F(LayersTest, ObserverMarkAtItsProjectedPlaceInEveryProjection)
{
    g_var.obs.show = true;
    g_var.obs.lat = 48.85;
    g_var.obs.lon = 2.35;
    OpenWindow();
    update_data(DATA_RAW | DATA_OBSERVER);
    for (int id : {100, 103, 500, 700, 702, 703}) {
        SCOPED_TRACE(map_projection_name(id));
        g_var.plot.projection = id;
        update_projection();
        update_screen_bounds();
        update_data(DATA_PROJECTION | 0xFF);
        // Where the projection and the pipeline's pixel mapping put Paris.
        const point2f_t geo = {float(2.35 * s_deg), float(48.85 * s_deg)};
        point2f_t pr;
        map_projection_func(id)(&pr, &geo, 1);
        const float* m = g_boundsMP;
        const int32_t* b = g_boundsS;
        const int x = int((pr.x - m[0]) * float(b[2] - b[0]) / (m[2] - m[0]) + float(b[0])) + w.plot.rect.x;
        const int y = b[1] + b[3] - int((pr.y - m[1]) * float(b[3] - b[1]) / (m[3] - m[1]) + float(b[1])) + w.plot.rect.y;
        Grab();
        const SDL_Rect across = {x - 4, y, 9, 1}, down = {x, y - 4, 1, 9};
        EXPECT_TRUE(Count(across, g_var.obs.color) == 9 && Count(down, g_var.obs.color) == 9);
        EXPECT_EQ(CountAll(g_var.obs.color), 17) << "a cross of 9 by 9 pixels and nothing else";
    }
    g_var.obs.show = false;
    Grab();
    EXPECT_EQ(CountAll(g_var.obs.color), 0);
}

TEST_F(LayersTest, FootprintsOnTheHorizonCutAtTheEdgeAroundPolesAndForGeostationary)
{
    g_var.foot.show = true;
    g_var.path.show = 0;
    OpenWindow(1200, 700);
    struct Case {
        const char* what;
        double lon, lat, alt;
    } cases[] = {{"low, across the antimeridian", 175, 30, 800},
                 {"polar", -40, 82, 1000},
                 {"geostationary", -75, 0, 35786}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Select(c.lon, c.lat, c.alt);
        Grab();
        auto [n, off] = FootprintPixels(c.lon, c.lat, c.alt, 1.5);
        EXPECT_GT(n, 500);
        EXPECT_EQ(off, 0) << "no pixel off the horizon: no line drawn across the map";
        // The footprint reaches both edges of the map where it crosses them.
        if (c.lon == 175 || c.lat == 82) {
            const int32_t* b = g_boundsS;
            const SDL_Rect left = {w.plot.rect.x + b[0], 0, 3, height}, right = {w.plot.rect.x + b[2] - 2, 0, 3, height};
            EXPECT_TRUE(Count(left, g_var.foot.color) > 0 && Count(right, g_var.foot.color) > 0);
        }
    }
    g_var.foot.show = false;
    Grab();
    EXPECT_EQ(CountAll(g_var.foot.color), 0);
}

TEST_F(LayersTest, NightShadesTheNightSideOnlyUnderTheGridAndSatellites)
{
    g_var.night.show = true;
    g_var.night.color = {0, 0, 0, 128};
    LoadSatellites({{"S1", 1, -170, -60, true}, {"S2", 2, 10, 60, true}, {"S3", 3, 100, 5, true}});
    OpenWindow(1200, 700);
    update_data(DATA_RAW | DATA_NIGHT);
    Grab();
    const libsgp4::DateTime t = g_nightTime;
    const libsgp4::Vector sun = sun_position(t);
    const color4b_t shaded = {50, 50, 50, 255};
    int night = 0, day = 0, wrong = 0;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) {
            double lon, lat;
            const color4b_t p = Pixel(x, y);
            const bool isShaded = std::abs(p.r - shaded.r) <= 1 && p.g == p.r && p.b == p.r;
            if (!Geo(x, y, &lon, &lat) || (!same_color(p, BG) && !isShaded))
                continue;
            const double el = obs_look(obs_make(lat, lon, 0), sun, libsgp4::Vector(), t).elevation / s_deg;
            if (std::fabs(el) < 1)
                continue;
            night += el < 0;
            day += el > 0;
            wrong += isShaded != (el < 0);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(night > 20000 && day > 20000) << night << " " << day;
    // The sub-solar point is marked.
    EXPECT_GE(Count({w.plot.rect.x + g_sunPointS.x - 3, w.plot.rect.y + g_sunPointS.y - 3, 7, 7}, LAYERS_SUN_COLOR), 29);

    // Grid lines and satellites keep their full colours on the night side.
    g_var.lat.show = g_var.lon.show = true;
    update_data(DATA_PROJECTION | DATA_LAT_LINES | DATA_LON_LINES);
    Grab();
    int gridNight = 0;
    for (int x = 0; x < width; x++) {
        double lon, lat;
        const int y = w.plot.rect.y + g_latLinesS.Polylines()[9].first[0].y;  // the equator
        if (Geo(x, y - 1, &lon, &lat) &&
            obs_look(obs_make(0, lon, 0), sun, libsgp4::Vector(), t).elevation < -2 * s_deg) {
            gridNight++;
            EXPECT_TRUE(same_color(Pixel(x, y), g_var.lat.color)) << x;
        }
    }
    EXPECT_GT(gridNight, 100);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(Count(g_orbRectsS[i], g_var.obj.color), 9) << i;  // the plot starts at (0, 0)
    g_var.night.show = false;
    Grab();
    EXPECT_EQ(CountAll(shaded), 0);
}

TEST_F(LayersTest, KeysOFNToggleTheLayersAndNameTheirState)
{
    LoadSatellites({{"SAT", 1, 20, 10, true}});
    OpenWindow();
    w.SelObj(g_objs.first);
    const struct {
        SDL_Keycode key;
        const bool* show;
        const char* on;
        const char* off;
    } keys[] = {{SDLK_o, &g_var.obs.show, "Observer on", "Observer off"},
                {SDLK_f, &g_var.foot.show, "Footprint on", "Footprint off"},
                {SDLK_n, &g_var.night.show, "Night on", "Night off"}};
    for (const auto& k : keys) {
        EXPECT_TRUE(Key(k.key, KMOD_LCTRL) == -1 && Key(k.key, KMOD_LSHIFT) == -1 && !*k.show);
        EXPECT_TRUE(Key(k.key, KMOD_CAPS) == 1 && *k.show && w.msg.visible && !strcmp(w.msg.text, k.on));
        EXPECT_TRUE(Key(k.key) == 1 && !*k.show && !strcmp(w.msg.text, k.off));
        Key(k.key);
    }
    // Each came on with its data: the look, the footprint, the shade.
    EXPECT_TRUE(g_selLook.valid && g_footprintS.PointCount() > 0 && !g_night.spans.empty());
    w.msg.Show(false);
    Grab();
    EXPECT_TRUE(CountAll(g_var.obs.color) == 17 && CountAll(g_var.foot.color) > 100);
}

// The observer's rows fit the panel in its four places at 800 x 600, next to the longest
// name and the widest values, without touching any other row.
TEST_F(LayersTest, LookRowsFitThePanelInEveryPosition)
{
    LoadSatellites({{"A NAME OF THE LONGEST KEPT SIZE", 1, -179.99f, -89.99f, true}});
    g_objs.first->altitude = 35786.0;
    g_var.info.show = true;
    g_var.obs.show = true;
    OpenWindow();
    w.SelObj(g_objs.first);
    ASSERT_TRUE(g_selLook.valid);
    // The widest texts the rows can hold.
    selLook_t widest = g_selLook;
    widest.look = {359.99 * s_deg, -89.99 * s_deg, 399999.99, 0};
    widest.sunlit = false;
    infoLookValues_t look;
    info_look_values(&look, widest);
    EXPECT_TRUE(!strcmp(look.text[0], "  359.99\xF8") && !strcmp(look.text[1], "  -89.99\xF8") &&
                !strcmp(look.text[2], "399999.99 km") && !strcmp(look.text[3], "Eclipsed"));
    infoValues_t values;
    info_values(&values, g_objs.first);
    const int gw = 10, gh = 16;
    for (int pos = 0; pos < 4; pos++) {
        SCOPED_TRACE(pos);
        g_var.info.pos = pos;
        w.info.SetVertical(pos == 1 || pos == 3);
        w.UpdateChildRects();
        std::vector<SDL_Rect> taken = {{0, 0, 31 * gw, gh}};
        auto text = [&](const SDL_Point& at, const char* s) { return SDL_Rect{at.x, at.y, int(strlen(s)) * gw, gh}; };
        for (int i = 0; i < INFO_VALUES; i++) {
            taken.push_back(text(InfoView::s_items[i].labelPos, InfoView::s_items[i].label));
            taken.push_back(text(InfoView::s_items[i].valuePos, values.text[i]));
        }
        for (int i = 0; i < INFO_LOOK_VALUES; i++) {
            const infoItem_t& it = InfoView::s_lookItems[i];
            for (SDL_Rect r : {text(it.labelPos, it.label), text(it.valuePos, look.text[i])}) {
                if (r.w == 0)
                    continue;
                EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= w.info.rect.w && r.y + r.h <= w.info.rect.h) << i;
                for (const SDL_Rect& t : taken)
                    EXPECT_FALSE(SDL_HasIntersection(&r, &t)) << i;
                taken.push_back(r);
            }
        }
        // Drawn where laid out: the elevation's value in the value colour.
        Grab();
        const infoItem_t& el = InfoView::s_lookItems[1];
        const SDL_Rect at = {w.info.rect.x + el.valuePos.x, w.info.rect.y + el.valuePos.y, 9 * gw, gh};
        EXPECT_GT(Count(at, g_var.info.value.color), 20);
    }
    // Off, the panel shows none of it.
    g_var.obs.show = false;
    Grab();
    const infoItem_t& az = InfoView::s_lookItems[0];
    EXPECT_EQ(Count({w.info.rect.x + az.labelPos.x, w.info.rect.y + az.labelPos.y, 20 * gw, gh}, g_var.info.label.color), 0);
}

// select goes the way of a click: through the program's main window, which keeps the number
// for the settings file and brings the footprint along.
TEST_F(LayersTest, ConsoleSelectSelectsAsAClickDoes)
{
    LoadSatellites({{"ISS DEB", 1, 0, 0, false}, {"ISS (ZARYA)", 25544, 30, 40, true}, {"ISS OBJ", 3, 0, 0, true}});
    g_var.foot.show = true;
    SDL_Rect r = {0, 0, 800, 600};
    ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    app_install_win_hooks();
    CConsole con;
    auto run = [&](const char* line) {
        con.Input(CI_PUTSTR, line);
        con.Execute();
        ConOutput& out = con.GetOutput();
        return std::string(out.Line(out.LineCount() - 1));
    };
    EXPECT_EQ(run("select iss*"), "Selected 25544  ISS (ZARYA)");
    EXPECT_TRUE(g_var.sel.obj == obj_find(25544, g_objs.first) && g_var.sel.catnum == 25544);
    EXPECT_GT(g_footprintS.PointCount(), 0u);
    EXPECT_EQ(run("select 1"), "No satellite matches.");
    EXPECT_EQ(g_var.sel.catnum, 25544);
    TempDir d;
    ASSERT_TRUE(var_save_file(d.file("s.ini").c_str()));
    EXPECT_NE(read_file(d.file("s.ini")).find("[Object Selected]\nData=25544\n"), std::string::npos);
    win.Destroy();
    g_varHooks = varHooks_t{};
    g_dataReselect = nullptr;
    g_conSelObj = nullptr;
}
