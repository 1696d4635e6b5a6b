#include "app/app_loop.h"
#include "ui/ui_fixture.h"

// The setters' side effects act on the program's own main window, `win`.
TEST_F(UiTest, SettingsHooksActOnTheMainWindow)
{
    SDL_Rect r = {0, 0, 800, 600};
    ASSERT_EQ(win.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0);
    app_install_win_hooks();
    ASSERT_TRUE(var_set_int(VAR_INFO_POS, 3));
    EXPECT_EQ(win.info.rect.w, 250);
    EXPECT_EQ(win.plot.rect.x, 250);
    ASSERT_TRUE(var_set_int(VAR_PLOT_PADDING, 40));
    EXPECT_EQ(g_rectS.x, 40);
    EXPECT_EQ(g_rectS.w, 800 - 250 - 80);
    // A font of 20 x 32 glyphs widens the panel.
    std::string big = std::string(testing::TempDir()) + "hook_font.bmp";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 320, 512, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_EQ(SDL_SaveBMP(s, big.c_str()), 0);
    SDL_FreeSurface(s);
    var_set_str(VAR_WIN_FONT, big.c_str());
    EXPECT_EQ(win.info.rect.w, 500);
    var_set_str(VAR_OBJ_LABEL_FONT, big.c_str());
    EXPECT_EQ(win.labelFont.draw.h, 32);
    ASSERT_TRUE(var_set_int(VAR_INFO_SHOW, 0));
    EXPECT_FALSE(win.info.visible);
    EXPECT_EQ(win.plot.rect.w, 800);
    win.Destroy();
}
