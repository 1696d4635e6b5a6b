#include <cstdio>
#include <cstring>
#include <string>

#include "ui/font.h"
#include "ui/sdl_surface.h"
#include "ui/sdl_texture.h"
#include "ui/ui_fixture.h"

namespace {

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t le16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }

// Ink of the built-in image at (x, y), y counted from the top.
bool ink(int x, int y)
{
    const unsigned char* row = font_1016pc_mem + 62 + (255 - y) * 20;
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

class FontTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.info.show = false;
        OpenWindow(320, 240);
        r = w.renderer;
    }
    // Clears to a colour, lets draw() put text, and reads the window back.
    template <typename F> void Draw(color4b_t bg, F draw)
    {
        SDL_SetRenderDrawColor(r, bg.r, bg.g, bg.b, 255);
        SDL_RenderClear(r);
        draw();
        SDL_GetRendererOutputSize(r, &width, &height);
        pixels.assign(size_t(width) * height * 4, 0);
        ASSERT_EQ(SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), width * 4), 0);
    }
    std::string TempFile(const char* name)
    {
        return std::string(testing::TempDir()) + name;
    }
    SDL_Renderer* r = nullptr;
};

}  // namespace

TEST(BuiltInFont, ImageIsTheDocumentedBmp)
{
    ASSERT_EQ(font_1016pc_size, 5182u);
    const unsigned char* m = font_1016pc_mem;
    EXPECT_EQ(0, memcmp(m, "BM", 2));
    EXPECT_EQ(le32(m + 2), 5182u);
    EXPECT_EQ(le32(m + 6), 0u);
    EXPECT_EQ(le32(m + 10), 62u);
    EXPECT_EQ(le32(m + 14), 40u);
    EXPECT_EQ(le32(m + 18), 160u);
    EXPECT_EQ(le32(m + 22), 256u);
    EXPECT_EQ(le16(m + 26), 1);
    EXPECT_EQ(le16(m + 28), 1);
    EXPECT_EQ(le32(m + 30), 0u);
    EXPECT_EQ(le32(m + 34), 5120u);
    EXPECT_EQ(le32(m + 38), 11811u);
    EXPECT_EQ(le32(m + 42), 11811u);
    EXPECT_EQ(le32(m + 46), 2u);
    EXPECT_EQ(le32(m + 50), 2u);
    const unsigned char palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    EXPECT_EQ(0, memcmp(m + 54, palette, 8));

    // Every glyph stays inside its cell's 8 middle columns except the box
    // drawing and shade range, where the padding joins the neighbours.
    auto edge_ink = [](int c) {
        int n = 0;
        for (int y = 0; y < 16; y++)
            n += ink((c % 16) * 10, (c / 16) * 16 + y) + ink((c % 16) * 10 + 9, (c / 16) * 16 + y);
        return n;
    };
    EXPECT_EQ(edge_ink('A'), 0);
    EXPECT_EQ(edge_ink(248), 0);
    EXPECT_EQ(edge_ink(0xC4), 2);  // horizontal line: one ink row, both edges
    EXPECT_EQ(edge_ink(0xDB), 32);  // full block
    EXPECT_GT(edge_ink(0xB1), 0);
    int ink248 = 0;
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 10; x++)
            ink248 += ink(8 * 10 + x, 15 * 16 + y);
    EXPECT_GT(ink248, 4);
}

TEST_F(FontTest, BuiltInGlyphsDrawAsInTheImage)
{
    Font f;
    ASSERT_TRUE(f.Load("", r));
    EXPECT_EQ(f.glyphW, 10);
    EXPECT_EQ(f.glyphH, 16);
    EXPECT_EQ(f.draw.w, 10);
    EXPECT_EQ(f.draw.h, 16);
    EXPECT_EQ(f.glyphs[17].x, 10);
    EXPECT_EQ(f.glyphs[17].y, 16);
    Draw({0, 0, 255, 255}, [&] {
        f.SetColor(255, 255, 0);
        f.RenderChar(3, 4, 248);
        f.RenderChar(20, 4, 'A');
    });
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 10; x++) {
            color4b_t want = ink(8 * 10 + x, 15 * 16 + y) ? color4b_t{255, 255, 0, 255} : color4b_t{0, 0, 255, 255};
            ASSERT_TRUE(same_color(Pixel(3 + x, 4 + y), want)) << "degree sign pixel " << x << "," << y;
            want = ink(1 * 10 + x, 4 * 16 + y) ? color4b_t{255, 255, 0, 255} : color4b_t{0, 0, 255, 255};
            ASSERT_TRUE(same_color(Pixel(20 + x, 4 + y), want)) << "A pixel " << x << "," << y;
        }
}

TEST_F(FontTest, LineFeedReturnsToTheStartOneLineLower)
{
    Font f;
    ASSERT_TRUE(f.Load("", r));
    Draw({0, 0, 0, 255}, [&] { f.RenderStr(5, 7, "A\nB"); });
    std::vector<uint8_t> str = pixels;
    Draw({0, 0, 0, 255}, [&] {
        f.RenderChar(5, 7, 'A');
        f.RenderChar(5, 7 + 16, 'B');
    });
    EXPECT_EQ(str, pixels);
    EXPECT_GT(CountAll({255, 255, 255, 255}), 20);
}

TEST_F(FontTest, BadNamesFallBackToTheBuiltInFont)
{
    std::string text = TempFile("not_a_font.bmp");
    FILE* fp = fopen(text.c_str(), "w");
    ASSERT_TRUE(fp);
    fputs("this is not a bitmap\n", fp);
    fclose(fp);
    for (const char* name : {"no-such-font.bmp", "/no/such/dir/font.bmp", text.c_str()}) {
        Font f;
        EXPECT_TRUE(f.Load(name, r)) << name;
        EXPECT_EQ(f.glyphW, 10) << name;
        EXPECT_EQ(f.glyphH, 16) << name;
    }
}

TEST_F(FontTest, CustomImageSetsGlyphSizeAndOnlyPureBlackIsTransparent)
{
    // A 320 x 512 image: 20 x 32 cells. Cell 'A' holds a white pixel at
    // (1, 1) and a very dark grey one at (2, 1); everything else is black.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 320, 512, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_TRUE(s);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    int cx = ('A' % 16) * 20, cy = ('A' / 16) * 32;
    SDL_Rect white = {cx + 1, cy + 1, 1, 1}, grey = {cx + 2, cy + 1, 1, 1};
    SDL_FillRect(s, &white, SDL_MapRGB(s->format, 255, 255, 255));
    SDL_FillRect(s, &grey, SDL_MapRGB(s->format, 1, 1, 1));
    std::string path = TempFile("big_font.bmp");
    ASSERT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);

    Font f;
    ASSERT_TRUE(f.Load(path.c_str(), r));
    EXPECT_EQ(f.draw.w, 20);
    EXPECT_EQ(f.draw.h, 32);
    Draw({200, 0, 0, 255}, [&] { f.RenderChar(0, 0, 'A'); });
    EXPECT_TRUE(same_color(Pixel(1, 1), {255, 255, 255, 255}));
    EXPECT_TRUE(same_color(Pixel(2, 1), {1, 1, 1, 255}));
    EXPECT_TRUE(same_color(Pixel(3, 1), {200, 0, 0, 255}));
    EXPECT_TRUE(same_color(Pixel(19, 31), {200, 0, 0, 255}));

    // Loading again replaces the texture and goes back to 10 x 16.
    ASSERT_TRUE(f.Load("", r));
    EXPECT_TRUE(f.owned);
    EXPECT_EQ(f.draw.w, 10);
    EXPECT_NE(f.texture, nullptr);
}

TEST(SdlFontLayout, RowsEndWhenTheWidthIsReached)
{
    SdlTexture t;
    t.width = 165;
    t.height = 256;
    SdlFont f;
    f.texture = &t;
    f.UpdateCharInfo();
    EXPECT_EQ(f.glyphW, 10);
    EXPECT_EQ(f.glyphs[16].x, 160);
    EXPECT_EQ(f.glyphs[16].y, 0);
    EXPECT_EQ(f.glyphs[17].x, 0);
    EXPECT_EQ(f.glyphs[17].y, 16);
    f.texture = nullptr;
}
