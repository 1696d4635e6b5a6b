#include <climits>
#include <cstring>
#include <functional>
#include <utility>

#include "app/app_loop.h"
#include "console/con_window.h"
#include "settings/ini_vars.h"
#include "test_util.h"
#include "ui/info_view.h"
#include "ui/ui_fixture.h"

namespace {

class MainWinTest : public UiTest {
protected:
    void Click(int x, int y, Uint8 b = SDL_BUTTON_LEFT)
    {
        w.MouseButtonEvent({SDL_MOUSEBUTTONDOWN, 0, w.Id(), 0, b, SDL_PRESSED, 1, 0, x, y});
    }
    // "Period:" and its value lie there in the panel, drawn in the label and value colours.
    void ExpectPeriodAt(int lx, int ly, int vx, int vy)
    {
        const infoItem_t& it = InfoView::s_items[6];
        EXPECT_TRUE(it.labelPos.x == lx && it.labelPos.y == ly && it.valuePos.x == vx && it.valuePos.y == vy);
        Grab();
        const SDL_Rect& p = w.info.rect;
        EXPECT_GT(Count({p.x + lx, p.y + ly, 70, 16}, g_var.info.label.color), 20);
        EXPECT_GT(Count({p.x + vx, p.y + vy, 120, 16}, g_var.info.value.color), 20);
        EXPECT_EQ(Count({p.x + lx, p.y + ly, vx - lx, 16}, g_var.info.value.color), 0);
    }
};

bool same_rect(const SDL_Rect& a, const SDL_Rect& b) { return SDL_RectEquals(&a, &b); }

}  // namespace

TEST_F(MainWinTest, PanelPositionsAndLayouts)
{
    LoadSatellites({{"ISS (ZARYA)", 25544, -45.6789f, -12.3456f, true}});
    g_var.sel.catnum = 25544;
    OpenWindow();
    // Info panel and plot for the positions top, right, bottom, left.
    const SDL_Rect want[4][2] = {{{0, 0, 800, 64}, {0, 64, 800, 536}}, {{550, 0, 250, 600}, {0, 0, 550, 600}},
                                 {{0, 536, 800, 64}, {0, 0, 800, 536}}, {{0, 0, 250, 600}, {250, 0, 550, 600}}};
    ExpectPeriodAt(490, 48, 600, 48);
    EXPECT_EQ(Count({0, 64, 800, 536}, g_var.info.bg.color), 0) << "the panel is 64 pixels high";
    for (int i = 1; i <= 4; i++) {
        EXPECT_EQ(Key(SDLK_i, KMOD_LSHIFT), 1);
        const int pos = i % 4;
        EXPECT_TRUE(g_var.info.pos == pos && w.info.vertical == (pos == 1 || pos == 3) &&
                    same_rect(w.info.rect, want[pos][0]) && same_rect(w.plot.rect, want[pos][1])) << "pos " << pos;
        if (pos == 1)
            ExpectPeriodAt(0, 144, 110, 144);
    }
    EXPECT_TRUE(same_rect(g_rectS, {10, 10, 780, 516})) << "the map fits the plot less the padding";

    EXPECT_TRUE(Key(SDLK_i) == 1 && !w.info.visible && same_rect(w.plot.rect, {0, 0, 800, 600}));
    EXPECT_TRUE(Key(SDLK_i, KMOD_RSHIFT) == 1 && g_var.info.pos == 0) << "Shift+I does nothing while hidden";
    EXPECT_TRUE(Key(SDLK_i, KMOD_CAPS | KMOD_NUM) == 1 && w.info.visible);
}

// The setters' side effects act on the program's own main window, `win`.
TEST_F(UiTest, SettingsHooksActOnTheMainWindow)
{
    SDL_Rect r = {0, 0, 800, 600};
    ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    app_install_win_hooks();
    ASSERT_TRUE(var_set_int(VAR_INFO_POS, 3) && var_set_int(VAR_PLOT_PADDING, 40));
    EXPECT_TRUE(same_rect(g_rectS, {40, 40, 800 - 250 - 80, 600 - 80})) << "inside a plot beside a 250-pixel panel";
    // A font of 20 x 32 glyphs widens the panel.
    const std::string big = big_font_bmp();
    var_set_str(VAR_WIN_FONT, big.c_str());
    EXPECT_EQ(win.info.rect.w, 500);
    var_set_str(VAR_OBJ_LABEL_FONT, big.c_str());
    EXPECT_EQ(win.labelFont.draw.h, 32);
    ASSERT_TRUE(var_set_int(VAR_INFO_SHOW, 0));
    EXPECT_EQ(win.plot.rect.w, 800) << "a hidden panel leaves the whole window to the plot";
    win.Destroy();
}

// A remembered satellite without a position, at start-up or after a catalogue reload, leaves
// nothing selected, keeps its number for the settings file, and is selected once computed.
TEST_F(UiTest, RememberedSatelliteWaitsForItsPosition)
{
    LoadSatellites({{"A", 1, 0, 0, true}, {"B", 2, 10, 0, false}});
    g_var.sel.catnum = 2;
    data_install_var_hooks();
    app_install_win_hooks();
    SDL_Rect r = {0, 0, 800, 600};
    ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    EXPECT_TRUE(!g_var.sel.obj && g_var.sel.catnum == 2);
    appLoop_t loop;
    app_idle(loop, 1000);  // the once-a-second update computes B
    ASSERT_NE(g_var.sel.obj, nullptr);
    EXPECT_TRUE(g_var.sel.obj->hasPos && g_var.sel.catnum == 2 && g_path.PointCount() == 90);

    // A reload whose catalogue has the number only for a satellite that has decayed.
    TempDir d;
    const std::string tle = d.write("sats.tle", "DECAYED\n"
        "1 00005U 58002B   00179.78495062  .00000023  00000-0  90000-0 0  9992\n"
        "2 00005  34.2682 348.7242 1859667 331.7664  19.3264 16.40000000999995\n");
    g_var.sel.catnum = 5;
    var_set_str(VAR_OBJ_DATA, d.write("datamgr.txt", tle + "\n").c_str());
    ASSERT_EQ(g_objs.count, 1u);
    app_idle(loop, 1000);
    EXPECT_TRUE(!g_var.sel.obj && g_var.sel.catnum == 5);
    ASSERT_TRUE(var_save_file(d.file("s.ini").c_str()));
    EXPECT_NE(read_file(d.file("s.ini")).find("[Object Selected]\nData=5\n"), std::string::npos);
    win.Destroy();
    g_varHooks = varHooks_t{};
    g_dataReselect = nullptr;
}

TEST_F(MainWinTest, KeyTable)
{
    LoadSatellites({{"A", 1, 0, 0, true}, {"B", 2, 10, 0, true}});
    OpenWindow();
    const std::pair<SDL_Keycode, Uint16> unhandled[] = {{SDLK_i, KMOD_LCTRL}, {SDLK_i, KMOD_LSHIFT | KMOD_RSHIFT},
        {SDLK_m, KMOD_LALT}, {SDLK_l, KMOD_LSHIFT}, {SDLK_p, KMOD_LGUI}, {SDLK_TAB, KMOD_RCTRL}, {SDLK_x, KMOD_NONE}};
    for (auto [k, mod] : unhandled)
        EXPECT_EQ(Key(k, mod), -1) << SDL_GetKeyName(k) << " mod " << mod;
    EXPECT_TRUE(g_var.obj.label.show == 2 && g_var.path.show == 2 && g_var.info.show) << "unhandled keys change nothing";

    // L: none, all, selected, none ... with Caps Lock and Num Lock ignored.
    for (int want : {0, 1, 2}) {
        EXPECT_TRUE(Key(SDLK_l, KMOD_CAPS) == 1 && g_var.obj.label.show == want) << want;
    }
    // M steps the projection and names it in the middle; Shift+M steps back.
    int before = g_var.plot.projection;
    EXPECT_TRUE(Key(SDLK_m, KMOD_NUM) == 1 && g_var.plot.projection != before);
    EXPECT_TRUE(w.msg.visible && !strcmp(w.msg.text, projection_name()));
    EXPECT_TRUE(Key(SDLK_m, KMOD_LSHIFT) == 1 && g_var.plot.projection == before);

    // P: lines, off, points, lines.
    w.SelObj(1);
    for (int want : {0, 1, 2}) {
        EXPECT_TRUE(Key(SDLK_p) == 1 && g_var.path.show == want && (want == 0 || g_path.lines == (want == 2))) << want;
    }
}

TEST_F(MainWinTest, SelectionByTabAndNearestSatellite)
{
    LoadSatellites({{"A", 11, -30, 0, true}, {"B", 12, 30, 0, false}, {"C", 13, 30, 0, true}, {"D", 14, 30, 0, true}});
    g_var.sel.catnum = 99;
    OpenWindow();
    EXPECT_EQ(g_var.sel.obj, nullptr) << "a remembered number not in the catalogue";
    EXPECT_TRUE(Key(SDLK_TAB) == 1 && !g_var.sel.obj) << "Tab without a selection is still handled";

    // Clicks are in window coordinates: the plot lies below the panel.
    const SDL_Rect& pr = w.plot.rect;
    const point2i_t pa = g_oePtsS[0], pc = g_oePtsS[2];
    Click(pr.x + pc.x, pr.y + pc.y, SDL_BUTTON_RIGHT);
    Click(10, 10);  // on the info panel
    EXPECT_EQ(g_var.sel.obj, nullptr);
    // B, unplaced, would lie on C and comes first; C and D tie: C is chosen.
    Click(pr.x + pc.x, pr.y + pc.y);
    EXPECT_EQ(g_var.sel.catnum, 13);
    // Far away still finds the nearest, up to 65000 pixels.
    object_t* a = obj_find(11, g_objs.first);
    EXPECT_TRUE(w.plot.NearestObj(pa.x, pa.y + 3) == a && w.plot.NearestObj(pa.x, pa.y + 64999) == a);
    EXPECT_TRUE(!w.plot.NearestObj(pa.x, pa.y + 65000) && !w.plot.NearestObj(pa.x, INT_MAX));
}

// Satellites without a computed position cannot be selected: Tab and Shift+Tab step over
// them before, between and after the others, and a remembered number waits for a position.
TEST_F(MainWinTest, SelectionStepsOverSatellitesWithoutPosition)
{
    LoadSatellites({{"-", 1, 0, 0, false}, {"A", 2, -30, 0, true}, {"-", 3, 0, 0, false}, {"-", 4, 0, 0, false},
                    {"B", 5, 10, 0, true}, {"C", 6, 20, 0, true}, {"-", 7, 0, 0, false}});
    g_var.sel.catnum = 3;
    OpenWindow();
    EXPECT_TRUE(!g_var.sel.obj && g_var.sel.catnum == 3) << "nothing selected, the number kept";
    w.SelObj(4);
    EXPECT_TRUE(!g_var.sel.obj && g_var.sel.catnum == 3);
    w.SelObj(2);
    ASSERT_EQ(g_var.sel.catnum, 2);
    for (auto [mod, want] : {std::pair{KMOD_NONE, 5}, {KMOD_NONE, 6}, {KMOD_NONE, 2}, {KMOD_LSHIFT, 6},
                             {KMOD_LSHIFT, 5}, {KMOD_RSHIFT, 2}, {KMOD_RSHIFT, 6}}) {
        EXPECT_TRUE(Key(SDLK_TAB, mod) == 1 && g_var.sel.catnum == want && g_var.sel.obj->hasPos) << want;
    }
    // With no other satellite placed Tab stays; with none placed nothing changes.
    object_t* c = g_var.sel.obj;
    for (object_t* o = g_objs.first; o; o = o->next)
        o->hasPos = o == c;
    EXPECT_TRUE(Key(SDLK_TAB) == 1 && g_var.sel.obj == c && Key(SDLK_TAB, KMOD_LSHIFT) == 1 && g_var.sel.obj == c);
    c->hasPos = false;
    EXPECT_TRUE(Key(SDLK_TAB) == 1 && g_var.sel.obj == c && Key(SDLK_TAB, KMOD_LSHIFT) == 1 && g_var.sel.obj == c);
}

// The panel's value texts: degrees right-aligned in eight columns with the degree sign and the
// hemisphere, the altitude in km, and no position figures for a satellite without one.
TEST_F(MainWinTest, InfoPanelValueTexts)
{
    LoadSatellites({{"SW", 25544, -45.6789f, -12.3456f, true}, {"NE", 2, 45.6789f, 12.3456f, true},
                    {"ZERO", 3, 0, 0, true}, {"NOPOS", 4, 0, 0, false}});
    const char* want[4][7] = {
        {"25544", "   12.35\xF8" "S", "   45.68\xF8" "W", "  408.13 km", "    0.00", "   15.50", "000:01:32:54"},
        {"2", "   12.35\xF8" "N", "   45.68\xF8" "E", "35786.00 km", "    0.00", "   15.50", "000:01:32:54"},
        {"3", "    0.00\xF8" "N", "    0.00\xF8" "E", "   -0.25 km", "    0.00", "   15.50", "000:01:32:54"},
        {"4", "", "", "", "    0.00", "   15.50", "000:01:32:54"}};
    const double altitudes[4] = {408.126, 35786.0, -0.25, 500.0};
    int i = 0;
    for (object_t* o = g_objs.first; o; o = o->next, i++) {
        o->altitude = altitudes[i];
        infoValues_t v;
        info_values(&v, o);
        for (int k = 0; k < INFO_VALUES; k++)
            EXPECT_STREQ(v.text[k], want[i][k]) << "satellite " << i << " row " << k;
    }
}

// Moves and resizes keep each window's rectangle; closing the map window keeps both and
// hides both, the console's close keeps its own.
TEST_F(MainWinTest, WindowEventsKeepRectanglesAndFlags)
{
    OpenWindow();
    ConWindow cw;
    SDL_Rect cr = {0, 0, 640, 480};
    ASSERT_EQ(cw.Create(&cr, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    w.companion = &cw;
    auto event = [](const SdlWindow& win, Uint8 what, int d1 = 0, int d2 = 0) {
        return SDL_WindowEvent{SDL_WINDOWEVENT, 0, win.Id(), what, 0, 0, 0, d1, d2};
    };
    SDL_SetWindowPosition(w.window, 120, 90);
    w.WindowEvent(event(w, SDL_WINDOWEVENT_MOVED, 120, 90));
    SDL_SetWindowSize(w.window, 700, 500);
    w.WindowEvent(event(w, SDL_WINDOWEVENT_RESIZED, 700, 500));
    EXPECT_TRUE(same_rect(g_var.win.rect, {120, 90, 700, 500}) && same_rect(w.plot.rect, {0, 64, 700, 436}));
    SDL_SetWindowPosition(cw.window, 30, 40);
    cw.WindowEvent(event(cw, SDL_WINDOWEVENT_MOVED, 30, 40));
    SDL_SetWindowSize(cw.window, 500, 400);
    cw.WindowEvent(event(cw, SDL_WINDOWEVENT_RESIZED, 500, 400));
    EXPECT_TRUE(same_rect(g_var.con.rect, {30, 40, 500, 400}) && cw.view.columns == 50 && cw.view.rows == 25);

    // Closing the map window: both hidden, both rectangles as the windows last were.
    SDL_SetWindowPosition(cw.window, 35, 45);
    SDL_SetWindowPosition(w.window, 125, 95);
    g_var.win.max = g_var.con.max = true;
    w.WindowEvent(event(w, SDL_WINDOWEVENT_CLOSE));
    EXPECT_TRUE((w.Flags() & SDL_WINDOW_HIDDEN) && (cw.Flags() & SDL_WINDOW_HIDDEN));
    EXPECT_TRUE(same_rect(g_var.con.rect, {35, 45, 500, 400}) && same_rect(g_var.win.rect, {125, 95, 700, 500}));
    EXPECT_TRUE(!g_var.win.max && g_var.con.max) << "the map window records its own flag";
    // The console's own close records its flag and rectangle.
    SDL_ShowWindow(cw.window);
    SDL_SetWindowPosition(cw.window, 50, 60);
    cw.WindowEvent(event(cw, SDL_WINDOWEVENT_CLOSE));
    EXPECT_TRUE((cw.Flags() & SDL_WINDOW_HIDDEN) && !g_var.con.max && same_rect(g_var.con.rect, {50, 60, 500, 400}));
    cw.Destroy();
}

TEST_F(MainWinTest, MessageBoxSizePositionAndLife)
{
    g_var.info.show = false;
    g_var.plot.bg.color = {200, 200, 200, 255};
    OpenWindow();
    w.ShowMsg("Equirect 11");
    EXPECT_TRUE(same_rect(w.msg.rect, {325, 272, 150, 56})) << "centred in the plot";
    Grab();
    // The translucent box darkens the map; text is white.
    EXPECT_NEAR(Pixel(330, 276).r, 200 * 63 / 255, 2);
    EXPECT_GT(Count(w.msg.rect, {255, 255, 255, 255}), 50);
    EXPECT_TRUE(same_color(Pixel(324, 276), {200, 200, 200, 255}));

    w.Animate(1999);
    w.ShowMsg("Miller");  // a new message restarts the two seconds
    w.Animate(1999);
    EXPECT_TRUE(w.msg.visible);
    w.Animate(1);
    EXPECT_FALSE(w.msg.visible);
    Grab();
    EXPECT_EQ(CountAll({255, 255, 255, 255}), 0);

    w.ShowMsg(std::string(300, 'x').c_str());
    EXPECT_EQ(strlen(w.msg.text), 256u);
}

// The event loop draws a window only when something it shows has changed: each kind of change
// draws what it concerns once, and the pass after it draws nothing.
TEST_F(UiTest, LoopDrawsOnlyAfterAChange)
{
    LoadSatellites({{"A", 1, 0, 0, true}, {"B", 2, 10, 0, true}});
    app_install_win_hooks();
    SDL_Rect r = {0, 0, 800, 600}, cr = {0, 0, 400, 300};
    ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    ConWindow c;
    ASSERT_EQ(c.Create(&cr, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    appLoop_t loop;
    loop.con = &c;
    // A colour no frame has, left unpresented: a frame drawn over it clears it.
    const color4b_t marker = {1, 2, 3, 255};
    auto mark = [&](SDL_Renderer* rr) {
        SDL_SetRenderDrawColor(rr, marker.r, marker.g, marker.b, 255);
        SDL_RenderClear(rr);
    };
    auto drawn = [&](SDL_Renderer* rr) {
        Read(rr);
        return !same_color(Pixel(0, 0), marker) && !same_color(Pixel(width - 1, height - 1), marker);
    };
    // Bits 1 (map) and 2 (console) of the windows one idle pass drew.
    auto idle = [&](unsigned ms) {
        mark(win.renderer);
        mark(c.renderer);
        app_idle(loop, ms);
        return (drawn(win.renderer) ? 1 : 0) | (drawn(c.renderer) ? 2 : 0);
    };
    auto send = [&](SDL_Event e) { app_dispatch(loop, e); };
    auto key = [&](SDL_Keycode k, Uint32 id) { SDL_Event e; e.key = key_event(k, KMOD_NONE, id); send(e); };
    auto window_event = [&](Uint8 what, Uint32 id) {
        SDL_Event e = {};
        e.type = SDL_WINDOWEVENT;
        e.window.event = what;
        e.window.windowID = id;
        send(e);
    };
    EXPECT_EQ(idle(1000), 3) << "the first pass draws both";
    EXPECT_EQ(idle(0), 0);
    EXPECT_EQ(idle(50), 0) << "nothing changes between the once-a-second updates";

    struct change_t { const char* what; std::function<void()> act; unsigned ms; int map, con; };
    const std::vector<change_t> changes = {
        {"positions updated", [] {}, 1000, 1, 0},
        {"key on the map", [&] { key(SDLK_l, win.Id()); }, 0, 1, -1},
        {"click on the map", [&] { SDL_Event e; e.button = {SDL_MOUSEBUTTONDOWN, 0, win.Id(), 0, SDL_BUTTON_LEFT,
                                                            SDL_PRESSED, 1, 0, 400, 300}; send(e); }, 0, 1, -1},
        {"map exposed", [&] { window_event(SDL_WINDOWEVENT_EXPOSED, win.Id()); }, 0, 1, 0},
        {"map restored", [&] { window_event(SDL_WINDOWEVENT_RESTORED, win.Id()); }, 0, 1, 0},
        {"console exposed", [&] { window_event(SDL_WINDOWEVENT_EXPOSED, c.Id()); }, 0, 0, 1},
        {"typing in the console", [&] { key(SDLK_x, c.Id()); }, 0, 0, 1},
        {"a setting without a hook", [] { var_set_obj_color({9, 9, 9, 255}); }, 0, 1, -1},
        {"a console colour", [] { var_set_con_fg_color({9, 9, 9, 255}); }, 0, -1, 1},
        {"a setting through its hook", [] { var_set_int(VAR_INFO_POS, 3); }, 0, 1, -1},
        {"set in the console", [&] { c.view.console.Input(CI_CLEAR); c.view.console.Input(CI_PUTSTR, "set plot.bg.color 9 8 7");
                                     key(SDLK_RETURN, c.Id()); }, 0, 1, 1},
        {"message shown", [] { win.ShowMsg("Hello"); }, 0, 1, 0},
        {"message expired", [] { win.msg.elapsed = MsgView::LIFE_MS - 10; }, 10, 1, 0},
        {"console font", [&] { c.UpdateFont(); }, 0, 0, 1},
        {"label font", [] { win.UpdateObjLabelFont(); }, 0, 1, 0},
    };
    for (const change_t& ch : changes) {
        ch.act();
        const int got = idle(ch.ms);
        if (ch.map >= 0) {
            EXPECT_EQ(got & 1, ch.map) << ch.what;
        }
        if (ch.con >= 0) {
            EXPECT_EQ((got >> 1) & 1, ch.con) << ch.what;
        }
        EXPECT_EQ(idle(0), 0) << "after " << ch.what;
    }
    EXPECT_EQ(g_var.plot.bg.color.b, 7) << "the console's set command ran";
    c.Destroy();
    win.Destroy();
    g_varHooks = varHooks_t{};
}
