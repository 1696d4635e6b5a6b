#include "ui/ui_fixture.h"

namespace {

class MainWinTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.info.show = true;
        g_var.info.pos = 0;
    }
    int Key(SDL_Keycode k, Uint16 mod = KMOD_NONE)
    {
        SDL_KeyboardEvent e = {};
        e.type = SDL_KEYDOWN;
        e.windowID = w.Id();
        e.keysym.sym = k;
        e.keysym.mod = mod;
        return w.KeyDownEvent(e);
    }
    void Click(int x, int y, Uint32 type = SDL_MOUSEBUTTONDOWN, Uint8 button = SDL_BUTTON_LEFT, Uint8 clicks = 1)
    {
        SDL_MouseButtonEvent e = {};
        e.type = type;
        e.windowID = w.Id();
        e.button = button;
        e.clicks = clicks;
        e.x = x;
        e.y = y;
        w.MouseButtonEvent(e);
    }
    static bool RectIs(const SDL_Rect& r, int x, int y, int ww, int hh)
    {
        return r.x == x && r.y == y && r.w == ww && r.h == hh;
    }
};

}  // namespace

TEST_F(MainWinTest, PanelPositionsAndLayout)
{
    OpenWindow();
    EXPECT_TRUE(RectIs(w.info.rect, 0, 0, 800, 64));
    EXPECT_TRUE(RectIs(w.plot.rect, 0, 64, 800, 536));
    const int want[4][8] = {
        {0, 0, 800, 64, 0, 64, 800, 536},
        {550, 0, 250, 600, 0, 0, 550, 600},
        {0, 536, 800, 64, 0, 0, 800, 536},
        {0, 0, 250, 600, 250, 0, 550, 600},
    };
    for (int i = 1; i <= 4; i++) {
        EXPECT_EQ(Key(SDLK_i, KMOD_LSHIFT), 1);
        int pos = i % 4;
        EXPECT_EQ(g_var.info.pos, pos);
        EXPECT_EQ(w.info.vertical, pos == 1 || pos == 3);
        const int* r = want[pos];
        EXPECT_TRUE(RectIs(w.info.rect, r[0], r[1], r[2], r[3])) << "pos " << pos;
        EXPECT_TRUE(RectIs(w.plot.rect, r[4], r[5], r[6], r[7])) << "pos " << pos;
    }
    // The map is fitted into the plot rectangle less the padding.
    EXPECT_TRUE(RectIs(g_rectS, g_var.plot.padding, g_var.plot.padding, 800 - 2 * g_var.plot.padding,
                       536 - 2 * g_var.plot.padding));

    EXPECT_EQ(Key(SDLK_i), 1);
    EXPECT_FALSE(g_var.info.show);
    EXPECT_FALSE(w.info.visible);
    EXPECT_TRUE(RectIs(w.plot.rect, 0, 0, 800, 600));
    EXPECT_EQ(Key(SDLK_i, KMOD_RSHIFT), 1);
    EXPECT_EQ(g_var.info.pos, 0) << "Shift+I does nothing while the panel is hidden";
    EXPECT_EQ(Key(SDLK_i, KMOD_CAPS | KMOD_NUM), 1);
    EXPECT_TRUE(w.info.visible);
}

TEST_F(MainWinTest, KeyTable)
{
    LoadSatellites({{"A", 1, 0, 0, true}, {"B", 2, 10, 0, true}});
    OpenWindow();
    EXPECT_EQ(Key(SDLK_i, KMOD_LCTRL), -1);
    EXPECT_EQ(Key(SDLK_i, KMOD_LSHIFT | KMOD_RSHIFT), -1);
    EXPECT_EQ(Key(SDLK_m, KMOD_LALT), -1);
    EXPECT_EQ(Key(SDLK_l, KMOD_LSHIFT), -1);
    EXPECT_EQ(Key(SDLK_p, KMOD_LGUI), -1);
    EXPECT_EQ(Key(SDLK_TAB, KMOD_RCTRL), -1);
    EXPECT_EQ(Key(SDLK_x), -1);
    EXPECT_EQ(g_var.obj.label.show, 2);
    EXPECT_EQ(g_var.path.show, 2);
    EXPECT_TRUE(g_var.info.show);

    // L: none, all, selected, none ... with Caps Lock and Num Lock ignored.
    int labels[] = {0, 1, 2};
    for (int want : labels) {
        EXPECT_EQ(Key(SDLK_l, KMOD_CAPS), 1);
        EXPECT_EQ(g_var.obj.label.show, want);
    }

    // M steps the projection and names it in the middle of the window.
    int before = g_var.plot.projection;
    EXPECT_EQ(Key(SDLK_m, KMOD_NUM), 1);
    EXPECT_NE(g_var.plot.projection, before);
    EXPECT_TRUE(w.msg.visible);
    EXPECT_STREQ(w.msg.text, projection_name());
    EXPECT_EQ(Key(SDLK_m, KMOD_LSHIFT), 1);
    EXPECT_EQ(g_var.plot.projection, before);
    EXPECT_EQ(Key(SDLK_m, KMOD_RSHIFT), 1);
    EXPECT_NE(g_var.plot.projection, before);

    // P: lines, off, points, lines.
    w.SelObj(1);
    EXPECT_EQ(Key(SDLK_p), 1);
    EXPECT_EQ(g_var.path.show, 0);
    EXPECT_EQ(Key(SDLK_p), 1);
    EXPECT_EQ(g_var.path.show, 1);
    EXPECT_FALSE(g_path.lines);
    EXPECT_GT(g_opMP.PointCount(), 0u);
    EXPECT_EQ(Key(SDLK_p), 1);
    EXPECT_EQ(g_var.path.show, 2);
    EXPECT_TRUE(g_path.lines);
}

TEST_F(MainWinTest, SelectionByTabAndClick)
{
    LoadSatellites({{"A", 11, -30, 0, true}, {"B", 12, 30, 0, false}, {"C", 13, 30, 0, true}});
    g_var.sel.catnum = 99;
    OpenWindow();
    EXPECT_EQ(g_var.sel.obj, nullptr) << "a remembered number not in the catalogue";
    EXPECT_EQ(Key(SDLK_TAB), 1) << "Tab without a selection is still handled";
    EXPECT_EQ(g_var.sel.obj, nullptr);

    w.SelObj(13);
    EXPECT_EQ(g_var.sel.catnum, 13);
    EXPECT_EQ(Key(SDLK_TAB), 1);
    EXPECT_EQ(g_var.sel.catnum, 11) << "Tab wraps from the last to the first";
    EXPECT_EQ(Key(SDLK_TAB, KMOD_LSHIFT), 1);
    EXPECT_EQ(g_var.sel.catnum, 13) << "Shift+Tab wraps from the first to the last";
    EXPECT_EQ(Key(SDLK_TAB, KMOD_RSHIFT), 1);
    EXPECT_EQ(g_var.sel.catnum, 12);

    // Clicks: window coordinates, inside the plot (below the 64-pixel panel).
    const SDL_Rect& pr = w.plot.rect;
    point2i_t a = g_oePtsS[0];
    Click(pr.x + a.x + 2, pr.y + a.y + 2);
    EXPECT_EQ(g_var.sel.catnum, 11);
    Click(pr.x + g_oePtsS[2].x, pr.y + g_oePtsS[2].y, SDL_MOUSEBUTTONUP);
    Click(pr.x + g_oePtsS[2].x, pr.y + g_oePtsS[2].y, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT);
    Click(pr.x + g_oePtsS[2].x, pr.y + g_oePtsS[2].y, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 0);
    Click(10, 10);  // on the info panel
    EXPECT_EQ(g_var.sel.catnum, 11);
    // B, unplaced, would lie on C and comes first: C is chosen.
    Click(pr.x + g_oePtsS[2].x, pr.y + g_oePtsS[2].y);
    EXPECT_EQ(g_var.sel.catnum, 13);
    // Far from everything still selects the nearest.
    Click(pr.x + pr.w - 1, pr.y + pr.h - 1);
    EXPECT_EQ(g_var.sel.catnum, 13);
}

TEST_F(MainWinTest, WindowEventsKeepSizeAndCloseHidesBoth)
{
    OpenWindow();
    SdlWindow other;
    SDL_Rect cr = {20, 30, 320, 200};
    ASSERT_EQ(other.Create("console", &cr, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    w.companion = &other;

    SDL_SetWindowSize(w.window, 900, 700);
    SDL_WindowEvent e = {};
    e.type = SDL_WINDOWEVENT;
    e.windowID = w.Id();
    e.event = SDL_WINDOWEVENT_RESIZED;
    w.WindowEvent(e);
    EXPECT_EQ(g_var.win.rect.w, 900);
    EXPECT_EQ(g_var.win.rect.h, 700);
    EXPECT_EQ(w.plot.rect.w, 900);
    EXPECT_EQ(w.plot.rect.h, 700 - 64);

    e.event = SDL_WINDOWEVENT_CLOSE;
    w.WindowEvent(e);
    EXPECT_TRUE(SDL_GetWindowFlags(w.window) & SDL_WINDOW_HIDDEN);
    EXPECT_TRUE(SDL_GetWindowFlags(other.window) & SDL_WINDOW_HIDDEN);
    EXPECT_EQ(g_var.con.rect.w, 320);
    EXPECT_EQ(g_var.con.rect.h, 200);
    EXPECT_FALSE(g_var.win.max);
    other.Destroy();
    EXPECT_EQ(other.window, nullptr);

    // Shutdown releases the font textures before the renderer goes.
    w.Destroy();
    EXPECT_EQ(w.winFont.texture, nullptr);
    EXPECT_EQ(w.labelFont.texture, nullptr);
    EXPECT_EQ(w.renderer, nullptr);
    EXPECT_EQ(w.window, nullptr);
}
