#include <string>

#include "ui/font.h"
#include "ui/ui_fixture.h"

// Ink of the built-in image at (x, y), y counted from the top.
static bool ink(int x, int y) { return (font_1016pc_mem[62 + (255 - y) * 20 + x / 8] >> (7 - x % 8)) & 1; }

TEST_F(UiTest, BuiltInFontDrawsAsItsImageAndStandsInForBadFiles)
{
    const std::string text = std::string(SKYTRACE_SOURCE_DIR) + "/data/README.md";  // not a bitmap
    OpenWindow(320, 240);
    Font f;
    for (const char* name : {"no-such-font.bmp", text.c_str(), ""}) {
        EXPECT_TRUE(f.Load(name, w.renderer)) << name;
        EXPECT_TRUE(f.draw.w == 10 && f.draw.h == 16) << name;
    }
    SDL_SetRenderDrawColor(w.renderer, 0, 0, 255, 255);
    SDL_RenderClear(w.renderer);
    f.SetColor(255, 255, 0);
    f.RenderChar(3, 4, 248);
    f.RenderStr(20, 4, "\nA");  // a line feed goes one line down
    Read(w.renderer);
    const color4b_t fg = {255, 255, 0, 255}, bg = {0, 0, 255, 255};
    int degreeInk = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 10; x++) {
            degreeInk += ink(8 * 10 + x, 15 * 16 + y);
            ASSERT_TRUE(same_color(Pixel(3 + x, 4 + y), ink(8 * 10 + x, 15 * 16 + y) ? fg : bg)) << "degree sign";
            ASSERT_TRUE(same_color(Pixel(20 + x, 20 + y), ink(1 * 10 + x, 4 * 16 + y) ? fg : bg)) << "A";
        }
    EXPECT_GT(degreeInk, 4);
}
