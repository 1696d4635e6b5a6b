#include "console/con_view.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/con_window.h"
#include "console/lnedit.h"
#include "settings/vars.h"
#include "ui/ui_fixture.h"

namespace {

class ConViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        LE_SetIns(1);
        LE_Clear();
    }
    void TearDown() override
    {
        LE_Clear();
        cw.Destroy();
        var_reset();
    }
    void Open(int w, int h)
    {
        SDL_Rect r = {0, 0, w, h};
        ASSERT_EQ(cw.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0) << SDL_GetError();
    }
    int Key(SDL_Keycode k, Uint16 mod = 0)
    {
        SDL_KeyboardEvent e = {};
        e.type = SDL_KEYDOWN;
        e.keysym.sym = k;
        e.keysym.mod = mod;
        return cw.view.KeyDownEvent(e);
    }
    void Resize(int w, int h)
    {
        SDL_WindowEvent e = {};
        e.type = SDL_WINDOWEVENT;
        e.event = SDL_WINDOWEVENT_RESIZED;
        e.data1 = w;
        e.data2 = h;
        cw.WindowEvent(e);
    }
    // Draws a frame as the event loop does and reads it back.
    void Grab()
    {
        cw.Render();
        SDL_GetRendererOutputSize(cw.renderer, &width, &height);
        pixels.assign(static_cast<size_t>(width) * height * 4, 0);
        ASSERT_EQ(SDL_RenderReadPixels(cw.renderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), width * 4),
                  0);
    }
    int Count(const SDL_Rect& r, const color4b_t& c) const
    {
        int n = 0;
        for (int y = r.y; y < r.y + r.h && y < height; ++y)
            for (int x = r.x; x < r.x + r.w && x < width; ++x) {
                const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
                n += p[0] == c.r && p[1] == c.g && p[2] == c.b;
            }
        return n;
    }

    ConWindow cw;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

}  // namespace

TEST_F(ConViewTest, GlyphCellsGiveRowsAndColumns)
{
    Open(800, 600);
    EXPECT_TRUE(cw.view.visible);
    EXPECT_EQ(cw.view.columns, 80);
    EXPECT_EQ(cw.view.rows, 37);
    EXPECT_EQ(cw.view.console.Cols(), 80u);

    Resize(325, 245);
    EXPECT_EQ(cw.view.columns, 32);
    EXPECT_EQ(cw.view.rows, 15);
    EXPECT_EQ(cw.view.rect.w, 325);
    // Fill every cell with ink; the partial cells at the right and the
    // bottom stay in the background colour.
    g_var.con.bg.color = {0, 0, 80, 255};
    for (int i = 0; i < 20; ++i)
        cw.view.console.AppendOutput(std::string(40, static_cast<char>(219)).c_str());
    Grab();
    const color4b_t fg = g_var.con.fg.color;
    const color4b_t bg = g_var.con.bg.color;
    EXPECT_EQ(Count({0, 0, 320, 16}, fg), 320 * 16);
    EXPECT_EQ(Count({320, 0, 5, 245}, bg), 5 * 245);
    EXPECT_EQ(Count({0, 240, 325, 5}, bg), 325 * 5);

    SDL_WindowEvent close = {};
    close.type = SDL_WINDOWEVENT;
    close.event = SDL_WINDOWEVENT_CLOSE;
    cw.WindowEvent(close);
    EXPECT_FALSE(cw.Flags() & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(g_var.con.max);
}

TEST_F(ConViewTest, KeysTypeTheirCharacters)
{
    Open(800, 600);
    EXPECT_EQ(Key(SDLK_1, KMOD_LSHIFT), 0);
    EXPECT_EQ(Key(SDLK_a, KMOD_RSHIFT), 0);
    EXPECT_EQ(Key(SDLK_a, KMOD_CAPS | KMOD_LSHIFT), 0);
    EXPECT_EQ(Key(SDLK_b, KMOD_CAPS), 0);
    EXPECT_EQ(Key(SDLK_c, KMOD_LCTRL), 0);  // Ctrl types the plain character
    EXPECT_EQ(Key(SDLK_KP_5), 0);
    EXPECT_EQ(Key(SDLK_KP_5, KMOD_NUM), 0);
    EXPECT_EQ(Key(SDLK_KP_5, KMOD_LSHIFT), 0);  // nothing
    EXPECT_EQ(Key(SDLK_BACKQUOTE, KMOD_LSHIFT), 0);
    EXPECT_EQ(Key(SDLK_BACKQUOTE, KMOD_LCTRL), 0);
    EXPECT_EQ(Key(SDLK_SLASH, KMOD_LSHIFT), 0);
    EXPECT_EQ(Key(SDLK_KP_PERIOD), 0);
    EXPECT_EQ(Key(SDLK_TAB), 0);
    EXPECT_EQ(Key(SDLK_ESCAPE), 0);
    EXPECT_EQ(Key(SDLK_F1), 0);
    EXPECT_EQ(Key(SDLK_PAGEUP), 0);
    EXPECT_STREQ(LE_Line(), "!AABc55~`?.");

    EXPECT_EQ(Key(SDLK_x, KMOD_LALT), -1);
    EXPECT_EQ(Key(SDLK_RETURN, KMOD_RALT), -1);
    EXPECT_EQ(Key(SDLK_v, KMOD_LGUI | KMOD_LSHIFT), -1);
    EXPECT_EQ(Key(SDLK_x, KMOD_LGUI), -1);
    EXPECT_STREQ(LE_Line(), "!AABc55~`?.");

    Key(SDLK_HOME);
    Key(SDLK_DELETE);
    Key(SDLK_RIGHT);
    Key(SDLK_INSERT);
    Key(SDLK_z);  // overwrite mode
    Key(SDLK_END);
    Key(SDLK_BACKSPACE);
    Key(SDLK_LEFT);
    EXPECT_STREQ(LE_Line(), "AzBc55~`?");
    EXPECT_EQ(LE_Pos(), 8u);
    Key(SDLK_INSERT);

    EXPECT_EQ(ConView::MapShiftCode(SDLK_QUOTE), '"');
    EXPECT_EQ(ConView::MapShiftCode(SDLK_F2), SDLK_F2);
    EXPECT_EQ(ConView::MapKeyPadCode(SDLK_KP_MULTIPLY), '*');
    EXPECT_EQ(ConView::MapKeyPadCode('q'), 'q');
}

TEST_F(ConViewTest, EnterHistoryScrollingAndPaste)
{
    Open(800, 600);
    CConsole& c = cw.view.console;
    Key(SDLK_UP);  // empty history: nothing
    EXPECT_EQ(LE_Len(), 0u);
    for (const char* k = "set obj.size 9"; *k; ++k)
        Key(*k == ' ' ? SDLK_SPACE : *k == '.' ? SDLK_PERIOD : static_cast<SDL_Keycode>(*k));
    Key(SDLK_RETURN);
    EXPECT_EQ(g_var.obj.size, 9);
    EXPECT_EQ(LE_Len(), 0u);
    Key(SDLK_UP);
    EXPECT_STREQ(LE_Line(), "set obj.size 9");
    Key(SDLK_DOWN);  // past the newest: cleared
    EXPECT_EQ(LE_Len(), 0u);
    Key(SDLK_h);
    Key(SDLK_KP_ENTER);
    EXPECT_EQ(c.History().Count(), 2u);

    for (int i = 0; i < 100; ++i)
        c.AppendOutput("line");
    unsigned long bottom = c.Top();
    EXPECT_EQ(bottom, 104u - 37u);  // 103 output rows and the input row
    EXPECT_EQ(Key(SDLK_HOME, KMOD_LGUI), 0);
    EXPECT_EQ(c.Top(), 0u);
    Key(SDLK_PAGEDOWN, KMOD_RGUI);
    EXPECT_EQ(c.Top(), 37u);
    Key(SDLK_UP, KMOD_LGUI);
    EXPECT_EQ(c.Top(), 36u);
    Key(SDLK_END, KMOD_LGUI);
    EXPECT_EQ(c.Top(), bottom);
    Key(SDLK_PAGEUP, KMOD_LGUI);
    Key(SDLK_DOWN, KMOD_LGUI);
    EXPECT_EQ(c.Top(), bottom - 36);
    Key(SDLK_q);  // typing brings the view back to the bottom
    EXPECT_EQ(c.Top(), bottom);

    LE_Clear();
    ASSERT_EQ(SDL_SetClipboardText("one\ttwo\nthree"), 0);
    EXPECT_EQ(Key(SDLK_v, KMOD_LGUI), 0);
    EXPECT_STREQ(LE_Line(), "one\ttwo\nthree");
}

TEST_F(ConViewTest, CursorIsAnInverseBlock)
{
    g_var.con.bg.color = {10, 20, 30, 255};
    g_var.con.fg.color = {200, 210, 220, 255};
    Open(320, 240);
    Grab();
    const color4b_t fg = g_var.con.fg.color;
    const color4b_t bg = g_var.con.bg.color;
    // At the end of the line the cursor is a solid block after the prompt.
    EXPECT_EQ(Count({10, 0, 10, 16}, fg), 160);
    EXPECT_EQ(Count({20, 0, 300, 240}, bg), 300 * 240);

    Key(SDLK_h, KMOD_LSHIFT);
    Key(SDLK_h, KMOD_LSHIFT);
    Key(SDLK_LEFT);
    Grab();
    // The second H is drawn normally, the first inside the block, inverted.
    int ink = Count({20, 0, 10, 16}, fg);
    EXPECT_GT(ink, 10);
    EXPECT_EQ(Count({10, 0, 10, 16}, bg), ink);
    EXPECT_EQ(Count({10, 0, 10, 16}, fg), 160 - ink);
    EXPECT_EQ(Count({30, 0, 10, 16}, fg), 0);  // no cursor after the text
}

TEST_F(ConViewTest, NewFontTakesEffectAtTheNextResize)
{
    std::string big = ::testing::TempDir() + "con_view_font.bmp";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 320, 512, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(SDL_SaveBMP(s, big.c_str()), 0);
    SDL_FreeSurface(s);
    Open(800, 600);
    var_set_con_font(big.c_str());
    EXPECT_TRUE(cw.UpdateFont());
    EXPECT_EQ(cw.font.draw.w, 20);
    EXPECT_EQ(cw.view.columns, 80);
    Resize(800, 600);
    EXPECT_EQ(cw.view.columns, 40);
    EXPECT_EQ(cw.view.rows, 18);
    var_set_con_font("");
    EXPECT_TRUE(cw.UpdateFont());  // back to the built-in font
    EXPECT_EQ(cw.font.draw.w, 10);
    std::remove(big.c_str());
}
