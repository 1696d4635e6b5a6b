#include <cstring>
#include <string>
#include <utility>

#include "ui/font.h"
#include "ui/ui_fixture.h"

namespace {

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

// Ink of the built-in image at (x, y), y counted from the top.
bool ink(int x, int y) { return (font_1016pc_mem[62 + (255 - y) * 20 + x / 8] >> (7 - x % 8)) & 1; }

// Ink in the two edge columns of the cell of character c.
int edge_ink(int c)
{
    int n = 0;
    for (int y = 0; y < 16; y++)
        n += ink((c % 16) * 10, (c / 16) * 16 + y) + ink((c % 16) * 10 + 9, (c / 16) * 16 + y);
    return n;
}

}  // namespace

TEST_F(UiTest, BuiltInFontIsAOneBitBmpThatDrawsAsItsImageAndStandsInForBadFiles)
{
    const unsigned char* m = font_1016pc_mem;
    ASSERT_EQ(font_1016pc_size, 5182u);
    EXPECT_EQ(0, memcmp(m, "BM", 2));
    // File size, pixel data offset, width and height.
    for (auto [off, want] : {std::pair{2, 5182u}, {10, 62u}, {18, 160u}, {22, 256u}})
        EXPECT_EQ(le32(m + off), want) << "offset " << off;
    EXPECT_EQ(m[28], 1) << "bits per pixel";
    // Glyphs keep to the 8 middle columns of the cell except box drawing and
    // shades, whose padding joins the neighbours.
    EXPECT_EQ(edge_ink('A') + edge_ink(248), 0);
    EXPECT_EQ(edge_ink(0xC4), 2);   // horizontal line: one ink row, both edges
    EXPECT_EQ(edge_ink(0xDB), 32);  // full block
    EXPECT_GT(edge_ink(0xB1), 0);

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
