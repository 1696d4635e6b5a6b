#include "app/app_loop.h"
#include "app/app_state.h"
#include "console/con_window.h"
#include "ui/ui_fixture.h"

namespace {

// The loop works on the program's own main window object, `win`.
class AppLoopTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        reset_console_toggle();
        SDL_Rect r = {0, 0, 800, 600};
        ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    }
    void TearDown() override
    {
        con.Destroy();
        win.Destroy();
        UiTest::TearDown();
    }
    SDL_Event KeyEvent(SDL_Keycode k, Uint16 mod, Uint32 windowId)
    {
        SDL_Event e = {};
        e.key.type = SDL_KEYDOWN;
        e.key.windowID = windowId;
        e.key.keysym.sym = k;
        e.key.keysym.mod = mod;
        return e;
    }
    void OpenConsole()
    {
        SDL_Rect r = {0, 0, 320, 200};
        ASSERT_EQ(con.Create(&r, SDL_WINDOW_HIDDEN, SDL_RENDERER_SOFTWARE), 0);
        loop.con = &con;
        win.companion = &con;
    }
    appLoop_t loop;
    ConWindow con;
};

bool shown(const SdlWindow& w)
{
    return SDL_GetWindowFlags(w.window) & SDL_WINDOW_SHOWN;
}

}  // namespace

TEST_F(AppLoopTest, SettingsHooksActOnTheMainWindow)
{
    app_install_win_hooks();
    ASSERT_TRUE(var_set_int(VAR_INFO_POS, 3));
    EXPECT_TRUE(win.info.vertical);
    EXPECT_EQ(win.info.rect.w, 250);
    EXPECT_EQ(win.plot.rect.x, 250);
    ASSERT_TRUE(var_set_int(VAR_INFO_SHOW, 0));
    EXPECT_FALSE(win.info.visible);
    EXPECT_EQ(win.plot.rect.w, 800);
    ASSERT_TRUE(var_set_int(VAR_PLOT_PADDING, 40));
    EXPECT_EQ(g_rectS.x, 40);
    EXPECT_EQ(g_rectS.w, 720);
    std::string big = std::string(testing::TempDir()) + "hook_font.bmp";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 320, 512, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_EQ(SDL_SaveBMP(s, big.c_str()), 0);
    SDL_FreeSurface(s);
    ASSERT_TRUE(var_set_int(VAR_INFO_SHOW, 1));
    var_set_str(VAR_WIN_FONT, big.c_str());
    EXPECT_EQ(win.winFont.draw.w, 20);
    EXPECT_EQ(win.info.rect.w, 500) << "the panel follows the new glyph size";
    var_set_str(VAR_OBJ_LABEL_FONT, big.c_str());
    EXPECT_EQ(win.labelFont.draw.h, 32);
    var_set_str(VAR_WIN_FONT, "");
    EXPECT_EQ(win.info.rect.w, 250);
}

TEST_F(AppLoopTest, ConsoleToggleRaisesShowsAndDebounces)
{
    OpenConsole();
    SDL_Event k = KeyEvent(SDLK_BACKQUOTE, KMOD_CAPS, win.Id());
    app_dispatch(loop, k);
    EXPECT_TRUE(loop.togglePending);
    app_idle(loop, 50);
    EXPECT_FALSE(loop.togglePending);
    EXPECT_TRUE(shown(con));
    // Within 300 ms the second press is swallowed.
    app_dispatch(loop, k);
    EXPECT_FALSE(loop.togglePending);
    // With Shift it is an ordinary key of the window, not a toggle.
    app_dispatch(loop, KeyEvent(SDLK_BACKQUOTE, KMOD_LSHIFT, win.Id()));
    EXPECT_FALSE(loop.togglePending);
    SDL_Delay(310);
    app_dispatch(loop, k);
    EXPECT_TRUE(loop.togglePending);
    app_idle(loop, 50);
    // The console was shown: it is raised when it lacks the focus, hidden
    // when it has it; either way the loop keeps going.
    EXPECT_FALSE(loop.quit);

    // A pending toggle waits while the main window is hidden.
    SDL_HideWindow(win.window);
    SDL_ShowWindow(con.window);
    SDL_Delay(310);
    app_dispatch(loop, k);
    app_idle(loop, 50);
    EXPECT_TRUE(loop.togglePending);
    EXPECT_TRUE(shown(con));
}

TEST_F(AppLoopTest, QuitWhenBothWindowsAreClosed)
{
    app_idle(loop, 50);
    EXPECT_FALSE(loop.quit);
    OpenConsole();
    SDL_ShowWindow(con.window);
    SDL_Event close = {};
    close.window.type = SDL_WINDOWEVENT;
    close.window.windowID = win.Id();
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    app_dispatch(loop, close);
    EXPECT_FALSE(shown(win));
    EXPECT_FALSE(shown(con));
    app_idle(loop, 50);
    EXPECT_TRUE(loop.quit);

    // Without a console, closing the map window alone ends the loop; a
    // minimised window keeps it going.
    loop = appLoop_t();
    SDL_ShowWindow(win.window);
    SDL_MinimizeWindow(win.window);
    app_idle(loop, 50);
    EXPECT_FALSE(loop.quit);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    app_dispatch(loop, quit);
    EXPECT_TRUE(loop.quit);
}
