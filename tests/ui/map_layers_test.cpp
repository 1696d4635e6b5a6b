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
#include "observer/sun.h"
#include "settings/ini_vars.h"
#include "test_util.h"
#include "ui/info_view.h"
#include "ui/map_layers.h"
#include "ui/ui_fixture.h"

namespace {

const double s_deg = M_PI / 180.0;

class LayersTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.plot.bg.color = {100, 100, 100, 255};
        g_var.info.show = false;
    }
    // Longitude and latitude (degrees) of a pixel centre of the equirectangular map (the plot
    // starts at the window's corner); false outside the map.
    static bool Geo(int x, int y, double* lon, double* lat)
    {
        const int32_t* b = g_boundsS;
        *lon = -180 + (x - b[0] + 0.5) * 360.0 / (b[2] - b[0]);
        *lat = 90 - (y - b[1] + 0.5) * 180.0 / (b[3] - b[1]);
        return std::fabs(*lon) < 180 && std::fabs(*lat) < 90;
    }
    static double Central(double lon1, double lat1, double lon2, double lat2)
    {
        const double c = std::sin(lat1 * s_deg) * std::sin(lat2 * s_deg) +
                         std::cos(lat1 * s_deg) * std::cos(lat2 * s_deg) * std::cos((lon2 - lon1) * s_deg);
        return std::acos(std::clamp(c, -1.0, 1.0)) / s_deg;
    }
};

}  // namespace

TEST_F(LayersTest, ObserverMarkAtItsProjectedPlaceInEveryProjection)
{
    g_var.obs = {48.85, 2.35, 0, 10, true, {255, 0, 255, 255}};
    OpenWindow();
    update_data(DATA_RAW | DATA_OBSERVER);
    for (int id : {100, 103, 500, 702, 703}) {
        SCOPED_TRACE(map_projection_name(id));
        g_var.plot.projection = id;
        update_projection();
        update_screen_bounds();
        update_data(DATA_PROJECTION | 0xFF);
        // Paris through the projection and the pipeline's pixel mapping.
        const point2f_t geo = {float(2.35 * s_deg), float(48.85 * s_deg)};
        point2f_t p;
        map_projection_func(id)(&p, &geo, 1);
        const float* m = g_boundsMP;
        const int32_t* b = g_boundsS;
        const int x = int((p.x - m[0]) * float(b[2] - b[0]) / (m[2] - m[0]) + float(b[0]));
        const int y = b[1] + b[3] - int((p.y - m[1]) * float(b[3] - b[1]) / (m[3] - m[1]) + float(b[1]));
        Grab();
        EXPECT_TRUE(Count({x - 4, y, 9, 1}, g_var.obs.color) == 9 && Count({x, y - 4, 1, 9}, g_var.obs.color) == 9);
        EXPECT_EQ(CountAll(g_var.obs.color), 17) << "a cross of 9 by 9 pixels and nothing else";
    }
}

TEST_F(LayersTest, FootprintsOnTheHorizonCutAtTheEdgeAroundPolesAndForGeostationary)
{
    g_var.foot.show = true;
    g_var.path.show = 0;
    OpenWindow(1200, 700);
    const struct { double lon, lat, alt; } cases[] = {{175, 30, 800}, {-40, 82, 1000}, {-75, 0, 35786}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lat);
        LoadSatellites({{"SAT", 1, float(c.lon), float(c.lat), true}});
        g_objs.first->altitude = c.alt;
        w.SelObj(g_objs.first);
        Grab();
        // Every footprint pixel within 1.5 degrees of the horizon circle: no line across the map.
        const double half = std::acos(6378.135 / (6378.135 + c.alt)) / s_deg;
        int n = 0, off = 0, left = 0, right = 0;
        for (int y = 0; y < height; y++) {
            for (int x = 0; x < width; x++) {
                double lon, lat;
                if (!same_color(Pixel(x, y), g_var.foot.color) || !Geo(x, y, &lon, &lat))
                    continue;
                n++;
                off += std::fabs(Central(c.lon, c.lat, lon, lat) - half) > 1.5;
                left += x < g_boundsS[0] + 3;
                right += x > g_boundsS[2] - 3;
            }
        }
        EXPECT_TRUE(n > 500 && off == 0) << n << " pixels, " << off << " off";
        if (c.alt < 30000) {  // cut at the edges, it reaches both
            EXPECT_TRUE(left > 0 && right > 0);
        }
    }
}

TEST_F(LayersTest, NightShadesTheNightSideOnlyUnderTheGridAndSatellites)
{
    g_var.night = {true, {0, 0, 0, 128}};
    g_var.lat.show = true;
    LoadSatellites({{"S1", 1, -170, -60, true}, {"S2", 2, 10, 60, true}, {"S3", 3, 100, 5, true}});
    OpenWindow(1200, 700);
    update_data(DATA_RAW | DATA_NIGHT);
    Grab();
    const libsgp4::Vector sun = sun_position(g_nightTime);
    auto elevation = [&](double lon, double lat) {
        return obs_look(obs_make(lat, lon, 0), sun, libsgp4::Vector(), g_nightTime).elevation / s_deg;
    };
    // Background pixels (grey, or grey shaded to half) away from the terminator by a degree.
    int night = 0, day = 0, wrong = 0;
    for (int y = 0; y < height; y += 2) {
        for (int x = 0; x < width; x += 2) {
            double lon, lat;
            const color4b_t p = Pixel(x, y);
            const bool shaded = std::abs(p.r - 50) <= 1 && p.g == p.r && p.b == p.r;
            if (!Geo(x, y, &lon, &lat) || (!same_color(p, g_var.plot.bg.color) && !shaded))
                continue;
            const double el = elevation(lon, lat);
            night += el < -1;
            day += el > 1;
            wrong += std::fabs(el) > 1 && shaded != (el < 0);
        }
    }
    EXPECT_TRUE(wrong == 0 && night > 20000 && day > 20000) << wrong << " " << night << " " << day;
    EXPECT_GE(Count({g_sunPointS.x - 3, g_sunPointS.y - 3, 7, 7}, LAYERS_SUN_COLOR), 29) << "the sub-solar mark";
    // The equator and the satellites keep their full colours on the night side.
    int equator = 0;
    const int ey = g_latLinesS.Polylines()[9].first[0].y;
    for (int x = 0; x < width; x++) {
        double lon, lat;
        if (!Geo(x, ey, &lon, &lat) || elevation(lon, 0) > -2)
            continue;
        equator++;
        EXPECT_TRUE(same_color(Pixel(x, ey), g_var.lat.color)) << x;
    }
    EXPECT_GT(equator, 100);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(Count(g_orbRectsS[i], g_var.obj.color), 9) << i;
}

TEST_F(LayersTest, KeysOFNToggleTheLayersAndNameTheirState)
{
    LoadSatellites({{"SAT", 1, 20, 10, true}});
    OpenWindow();
    w.SelObj(g_objs.first);
    const struct { SDL_Keycode key; const bool* show; const char* name; } keys[] = {
        {SDLK_o, &g_var.obs.show, "Observer"}, {SDLK_f, &g_var.foot.show, "Footprint"}, {SDLK_n, &g_var.night.show, "Night"}};
    for (const auto& k : keys) {
        EXPECT_TRUE(Key(k.key, KMOD_LCTRL) == -1 && Key(k.key, KMOD_LSHIFT) == -1 && !*k.show);
        EXPECT_TRUE(Key(k.key, KMOD_CAPS) == 1 && *k.show && w.msg.visible && w.msg.text == std::string(k.name) + " on");
        EXPECT_TRUE(Key(k.key) == 1 && !*k.show && w.msg.text == std::string(k.name) + " off");
        Key(k.key);
    }
    // Each came on with its data: the look, the footprint, the shade.
    EXPECT_TRUE(g_selLook.valid && g_footprintS.PointCount() > 0 && !g_night.spans.empty());
    w.msg.Show(false);
    Grab();
    EXPECT_TRUE(CountAll(g_var.obs.color) == 17 && CountAll(g_var.foot.color) > 100);
}

// The observer's rows fit the panel in its four places at 800 x 600, beside the longest name
// and the widest values, and touch no other row.
TEST_F(LayersTest, LookRowsFitThePanelInEveryPosition)
{
    LoadSatellites({{"A NAME OF THE LONGEST KEPT SIZE", 1, -179.99f, -89.99f, true}});
    g_objs.first->altitude = 35786.0;
    g_var.info.show = g_var.obs.show = true;
    OpenWindow();
    w.SelObj(g_objs.first);
    ASSERT_TRUE(g_selLook.valid);
    selLook_t widest = {true, {359.99 * s_deg, -89.99 * s_deg, 399999.99, 0}, false};
    infoLookValues_t look;
    info_look_values(&look, widest);
    EXPECT_TRUE(!strcmp(look.text[0], "  359.99\xF8") && !strcmp(look.text[1], "  -89.99\xF8") &&
                !strcmp(look.text[2], "399999.99 km") && !strcmp(look.text[3], "Eclipsed"));
    infoValues_t values;
    info_values(&values, g_objs.first);
    auto text = [](const SDL_Point& at, const char* s) { return SDL_Rect{at.x, at.y, int(strlen(s)) * 10, 16}; };
    for (int pos = 0; pos < 4; pos++) {
        SCOPED_TRACE(pos);
        g_var.info.pos = pos;
        w.info.SetVertical(pos % 2 == 1);
        w.UpdateChildRects();
        std::vector<SDL_Rect> taken = {{0, 0, 310, 16}};
        for (int i = 0; i < INFO_VALUES; i++) {
            taken.push_back(text(InfoView::s_items[i].labelPos, InfoView::s_items[i].label));
            taken.push_back(text(InfoView::s_items[i].valuePos, values.text[i]));
        }
        for (int i = 0; i < INFO_LOOK_VALUES; i++) {
            const infoItem_t& it = InfoView::s_lookItems[i];
            for (SDL_Rect r : {text(it.labelPos, it.label), text(it.valuePos, look.text[i])}) {
                EXPECT_TRUE(r.x + r.w <= w.info.rect.w && r.y + r.h <= w.info.rect.h) << i;
                for (const SDL_Rect& t : taken)
                    EXPECT_TRUE(r.w == 0 || !SDL_HasIntersection(&r, &t)) << i;
                taken.push_back(r);
            }
        }
        Grab();  // drawn where laid out: the elevation in the value colour
        const SDL_Point& el = InfoView::s_lookItems[1].valuePos;
        EXPECT_GT(Count({w.info.rect.x + el.x, w.info.rect.y + el.y, 90, 16}, g_var.info.value.color), 20);
    }
}

// select goes the way of a click: through the program's main window, which keeps the number
// for the settings file and brings the footprint along.
TEST_F(LayersTest, ConsoleSelectSelectsAsAClickDoes)
{
    LoadSatellites({{"ISS DEB", 1, 0, 0, false}, {"ISS (ZARYA)", 25544, 30, 40, true}});
    g_var.foot.show = true;
    SDL_Rect r = {0, 0, 800, 600};
    ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    app_install_win_hooks();
    CConsole con;
    con.Input(CI_PUTSTR, "select iss*");
    con.Execute();
    EXPECT_STREQ(con.GetOutput().Line(con.GetOutput().LineCount() - 1), "Selected 25544  ISS (ZARYA)");
    EXPECT_TRUE(g_var.sel.obj == obj_find(25544, g_objs.first) && g_footprintS.PointCount() > 0);
    TempDir d;
    ASSERT_TRUE(var_save_file(d.file("s.ini").c_str()));
    EXPECT_NE(read_file(d.file("s.ini")).find("[Object Selected]\nData=25544\n"), std::string::npos);
    win.Destroy();
    g_varHooks = varHooks_t{};
    g_dataReselect = nullptr;
    g_conSelObj = nullptr;
}
