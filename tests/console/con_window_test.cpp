#include "console/con_window.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/app_loop.h"
#include "app/app_state.h"
#include "console/lnedit.h"
#include "settings/vars.h"
#include "ui/ui_fixture.h"

namespace {

class ConWindowLoop : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        reset_console_toggle();
        LE_SetIns(1);
        LE_Clear();
        SDL_Rect r = {0, 0, 400, 300};
        ASSERT_EQ(cw.Create(&r, SDL_WINDOW_HIDDEN, SDL_RENDERER_SOFTWARE), 0);
        loop.con = &cw;
    }
    void TearDown() override
    {
        LE_Clear();
        cw.Destroy();
        var_reset();
    }
    SDL_Event Key(SDL_Keycode k, Uint32 id)
    {
        SDL_Event e = {};
        e.key.type = SDL_KEYDOWN;
        e.key.windowID = id;
        e.key.keysym.sym = k;
        return e;
    }
    ConWindow cw;
    appLoop_t loop;
};

}  // namespace

TEST_F(ConWindowLoop, TheLoopRoutesTheConsoleWindowsEvents)
{
    EXPECT_FALSE(cw.Flags() & SDL_WINDOW_SHOWN);  // created hidden
    EXPECT_EQ(cw.view.columns, 40);
    app_dispatch(loop, Key(SDLK_a, cw.Id()));
    app_dispatch(loop, Key(SDLK_b, cw.Id() + 1000));  // no such window: dropped
    EXPECT_STREQ(LE_Line(), "a");
    // The backquote is the loop's toggle and never reaches the editor.
    app_dispatch(loop, Key(SDLK_BACKQUOTE, cw.Id()));
    EXPECT_TRUE(loop.togglePending);
    EXPECT_STREQ(LE_Line(), "a");

    SDL_Event resize = {};
    resize.window.type = SDL_WINDOWEVENT;
    resize.window.windowID = cw.Id();
    resize.window.event = SDL_WINDOWEVENT_RESIZED;
    resize.window.data1 = 500;
    resize.window.data2 = 320;
    app_dispatch(loop, resize);
    EXPECT_EQ(cw.view.columns, 50);
    EXPECT_EQ(cw.view.rows, 20);

    SDL_Event click = {};
    click.button.type = SDL_MOUSEBUTTONDOWN;
    click.button.windowID = cw.Id();
    app_dispatch(loop, click);  // the console takes no mouse buttons

    SDL_Event close = resize;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    SDL_MaximizeWindow(cw.window);
    SDL_ShowWindow(cw.window);
    bool maximised = cw.Flags() & SDL_WINDOW_MAXIMIZED;
    app_dispatch(loop, close);
    EXPECT_FALSE(cw.Flags() & SDL_WINDOW_SHOWN);
    EXPECT_EQ(g_var.con.max, maximised);
}
