#include "console/con_view.h"

#include <cstring>

#include "con_fixture.h"
#include "console/con_window.h"
#include "ui/ui_fixture.h"

namespace {

class ConViewTest : public ConsoleTest, public Frame {
protected:
    void SetUp() override
    {
        ConsoleTest::SetUp();
        SDL_Rect r = {0, 0, 800, 600};
        ASSERT_EQ(cw.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0) << SDL_GetError();
    }
    void TearDown() override
    {
        LE_Clear();
        cw.Destroy();
        ConsoleTest::TearDown();
    }
    int Key(SDL_Keycode k, Uint16 mod = 0) { return cw.view.KeyDownEvent(key_event(k, mod)); }
    void Grab() { cw.Render(); Read(cw.renderer); }  // a frame as the event loop draws it
    ConWindow cw;
};

}  // namespace

TEST_F(ConViewTest, CursorGlyphCellsAndRows)
{
    const color4b_t fg = g_var.con.fg.color = {200, 210, 220, 255}, bg = g_var.con.bg.color = {10, 20, 30, 255};
    EXPECT_TRUE(cw.view.columns == 80 && cw.view.rows == 37);
    Grab();
    EXPECT_EQ(Count({10, 0, 10, 16}, fg), 160);  // a solid block after the prompt
    EXPECT_EQ(Count({20, 0, 300, 240}, bg), 300 * 240);

    Key(SDLK_h, KMOD_LSHIFT);
    Key(SDLK_h, KMOD_LSHIFT);
    Key(SDLK_LEFT);
    Grab();
    // The second H is drawn normally, the first inverted inside the block.
    int ink = Count({20, 0, 10, 16}, fg);
    EXPECT_GT(ink, 10);
    EXPECT_TRUE(Count({10, 0, 10, 16}, bg) == ink && Count({10, 0, 10, 16}, fg) == 160 - ink);

    // 10 by 16 pixel cells: partial cells at the right and the bottom stay background.
    SDL_WindowEvent e = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_RESIZED, 0, 0, 0, 325, 245};
    cw.WindowEvent(e);
    EXPECT_TRUE(cw.view.columns == 32 && cw.view.rows == 15);
    for (int i = 0; i < 20; ++i)
        cw.view.console.AppendOutput(std::string(40, static_cast<char>(219)).c_str());
    Grab();
    EXPECT_EQ(Count({0, 0, 320, 16}, fg), 320 * 16);
    EXPECT_TRUE(Count({320, 0, 5, 245}, bg) == 5 * 245 && Count({0, 240, 325, 5}, bg) == 325 * 5);

    // A pasted line feed stays in its row: the block after it is in the row's second cell.
    for (int i = 0; i < 20; ++i)
        cw.view.console.AppendOutput("");
    cw.view.console.AppendOutput("\n\xDB");
    Grab();
    EXPECT_EQ(Count({10, 208, 10, 16}, fg), 160);
}

TEST_F(ConViewTest, FontChangeRefitsRowsAndColumns)
{
    // 20 x 32 glyphs in 800 x 600: 40 columns and 18 rows at once, so the input line stays in view.
    var_set_con_font(big_font_bmp().c_str());
    ASSERT_TRUE(cw.UpdateFont());
    EXPECT_TRUE(cw.view.columns == 40 && cw.view.rows == 18 && cw.view.visible);
}

TEST_F(ConViewTest, KeysTypeTheirCharacters)
{
    // Ctrl types the plain character, Shift with keypad 5 nothing; Alt and Gui keys but paste are unhandled.
    const std::tuple<SDL_Keycode, int, int> keys[] = {
        {SDLK_1, KMOD_LSHIFT, 0}, {SDLK_a, KMOD_RSHIFT, 0},    {SDLK_a, KMOD_CAPS | KMOD_LSHIFT, 0},
        {SDLK_c, KMOD_LCTRL, 0},  {SDLK_KP_5, 0, 0},           {SDLK_KP_5, KMOD_LSHIFT, 0},
        {SDLK_BACKQUOTE, KMOD_LSHIFT, 0}, {SDLK_TAB, 0, 0},    {SDLK_ESCAPE, 0, 0},
        {SDLK_PAGEUP, 0, 0},      {SDLK_x, KMOD_LALT, -1},     {SDLK_v, KMOD_LGUI | KMOD_LSHIFT, -1},
        {SDLK_x, KMOD_LGUI, -1}};
    for (const auto& [key, mod, result] : keys)
        EXPECT_EQ(Key(key, Uint16(mod)), result) << SDL_GetKeyName(key) << " " << mod;
    EXPECT_STREQ(LE_Line(), "!AAc5~");

    ASSERT_EQ(SDL_SetClipboardText("one\ttwo\nthree"), 0);
    EXPECT_TRUE(Key(SDLK_v, KMOD_LGUI) == 0 && !strcmp(LE_Line(), "!AAc5~one\ttwo\nthree"));
    Key(SDLK_RETURN);
    EXPECT_EQ(LE_Len(), 0u);
    Key(SDLK_UP);
    EXPECT_STREQ(LE_Line(), "!AAc5~one\ttwo\nthree");
    Key(SDLK_DOWN);
    EXPECT_EQ(LE_Len(), 0u);
}
