#include <climits>
#include <cstring>

#include "objects/objects.h"
#include "sgp4/Tle.h"
#include "support/str.h"
#include "ui/plot_view.h"
#include "ui/ui_fixture.h"

namespace {

const color4b_t BG = {10, 20, 30, 255}, LON = {0, 250, 0, 255};

class PlotTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.plot.bg.color = BG;
        g_var.lon.color = LON;
        g_var.info.show = false;
    }
    const color4b_t &LAT = g_var.lat.color, &COAST = g_var.lines.color;
    const color4b_t &OBJ = g_var.obj.color, &LABEL = g_var.obj.label.color;
    // The middle point of the polyline i of a screen container.
    static point2i_t Middle(const CPolylines2i& c, uint64_t i)
    {
        const polyline2i_t& pl = c.Polylines()[i];
        return pl.first[pl.count / 2];
    }
};

}  // namespace

TEST_F(PlotTest, GridAndCoastlinesInTheirColoursOverTheBackground)
{
    g_coastlines.Alloc(3, 1);  // one coastline: a short diagonal in the Atlantic
    for (int i = 0; i < 3; i++)
        g_coastlines.Points()[i] = {rad(-40 + 5 * i), rad(5 + 10 * i)};
    g_coastlines.Polylines()[0] = {3, g_coastlines.Points()};
    init_data(0x6004);
    update_data(0x2004);
    OpenWindow();
    Grab();
    EXPECT_EQ(CountAll(BG), 800 * 600) << "every layer off leaves the background";

    g_var.lat.show = g_var.lon.show = g_var.lines.show = true;
    Grab();
    ASSERT_TRUE(g_latLinesS.PolylineCount() == 19 && g_lonLinesS.PolylineCount() == 37);
    point2i_t eq = Middle(g_latLinesS, 9), mer = Middle(g_lonLinesS, 18), c = Middle(g_coastlinesS, 0);
    EXPECT_TRUE(same_color(Pixel(eq.x + 5, eq.y), LAT) && same_color(Pixel(eq.x + 5, eq.y - 3), BG)) << "lat 0";
    EXPECT_TRUE(same_color(Pixel(mer.x, mer.y + 40), LON) && same_color(Pixel(mer.x + 3, mer.y + 40), BG)) << "lon 0";
    EXPECT_TRUE(same_color(Pixel(c.x, c.y), COAST)) << "coastlines over the grid";
    EXPECT_EQ(Count({0, 0, 800, 10}, LAT) + Count({0, 0, 800, 10}, LON), 0) << "nothing in the padding";
}

TEST_F(PlotTest, SquaresAndLabelsOnlyForPlacedSatellitesAndInRange)
{
    g_var.obj.size = 5;
    LoadSatellites({{"EAST", 1, 0.0f, 30, true}, {"NOPOS", 2, 60, 0, false}, {"WEST", 3, -0.01f, -30, true}});
    OpenWindow();
    Grab();
    const SDL_Rect &e = g_orbRectsS[0], &wr = g_orbRectsS[2];
    EXPECT_TRUE(e.w * e.h == 25 && Count(e, OBJ) == 25 && Count(wr, OBJ) == 25);
    EXPECT_EQ(CountAll(OBJ), 50) << "the satellite without a position leaves no mark";

    g_var.obj.label.show = 1;
    Grab();
    const int lw = 4 * 10, gh = 16;
    // Longitude 0: the label ends at the square's right edge, on the row above the square;
    // longitude -0.01: it starts at the left edge.
    SDL_Rect eLeft = {e.x + e.w - lw, e.y - gh - 1, lw, gh}, eRight = {e.x + e.w, e.y - gh - 1, lw, gh};
    SDL_Rect wRight = {wr.x, wr.y - gh - 1, lw, gh}, wLeft = {wr.x - lw, wr.y - gh - 1, lw, gh};
    EXPECT_TRUE(Count(eLeft, LABEL) > 10 && Count(eRight, LABEL) == 0 && Count({e.x - 40, e.y, 80, 3}, LABEL) == 0);
    EXPECT_TRUE(Count(wRight, LABEL) > 10 && Count(wLeft, LABEL) == 0);
    EXPECT_EQ(CountAll(LABEL), Count(eLeft, LABEL) + Count(wRight, LABEL)) << "no label without a position";
    SDL_Rect far = {INT_MIN + 5, INT_MIN + 5, 4, 4};  // far off: placement stays in range
    EXPECT_EQ(PlotView::LabelX(far, 1.0f, 63, 1000), INT_MIN);
    EXPECT_EQ(PlotView::LabelY(far, 1000), INT_MIN);
    EXPECT_EQ(PlotView::LabelX(far, NAN, 63, 1000), INT_MIN + 5);
}

// Every satellite's label drawn at once gives the pixels the font draws glyph by glyph, and follows a
// change of the colour or of the font's image; a font of several inks is drawn glyph by glyph.
TEST_F(PlotTest, LabelLayerGivesTheGlyphByGlyphPixels)
{
    // Fonts of 12 x 20 glyphs (black is transparent): one in five grey levels, one in a single tint.
    auto make_font = [](const char* name, bool grey) {
        const std::string path = ::testing::TempDir() + name;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 16 * 12, 16 * 20, 24, SDL_PIXELFORMAT_RGB24);
        for (int y = 0; y < s->h; y++)
            for (int x = 0; x < s->w; x++) {
                const int level = (x * 7 + y * 3 + x / 12) % 5;
                const Uint8 px[3] = {Uint8(grey ? level * 255 / 4 : level ? 90 : 0), Uint8(grey ? level * 255 / 4 : level ? 160 : 0),
                                     Uint8(grey ? level * 255 / 4 : level ? 250 : 0)};
                memcpy(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 3, px, 3);
            }
        EXPECT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
        SDL_FreeSurface(s);
        return path;
    };
    const std::string fonts[] = {"", make_font("grey_font.bmp", true), make_font("tint_font.bmp", false)};

    g_var.obj.label.show = 1;
    // Overlapping labels, a name twice, one past the left edge, punctuation and a byte above 127.
    LoadSatellites({{"ISS (ZARYA)", 1, 10, 20, true}, {"STARLINK-1007", 2, 12, 21, true},
                    {"ISS (ZARYA)", 3, -40, -10, true}, {"a~{|}\x82", 4, 100, 40, true},
                    {"FAR WEST OBJECT", 5, -179.9f, 89, true},
                    {"A NAME LONG ENOUGH TO REACH PAST THE LEFT EDGE OF THE MAP", 6, 1, -40, true}});
    OpenWindow();
    auto glyph_by_glyph = [&] {
        g_var.obj.label.show = 0;
        w.plot.Render(w.renderer);
        g_var.obj.label.show = 1;
        SDL_RenderSetViewport(w.renderer, &w.plot.rect);
        const color4b_t& c = g_var.obj.label.color;
        w.labelFont.SetColor(c.r, c.g, c.b);
        uint64_t i = 0;
        for (object_t* o = g_objs.first; o; o = o->next, i++) {
            const char* name = o->tle->Name().c_str();
            const int n = static_cast<int>(strlen(name));
            w.labelFont.RenderStr(PlotView::LabelX(g_orbRectsS[i], o->pos->x, n, w.labelFont.draw.w),
                                  PlotView::LabelY(g_orbRectsS[i], w.labelFont.draw.h), name);
        }
        SDL_RenderSetViewport(w.renderer, nullptr);
        Read(w.renderer);
        return pixels;
    };
    const struct { color4b_t color; int font; } frames[] = {
        {{255, 255, 255, 255}, 0}, {{200, 101, 37, 255}, 0}, {{200, 101, 37, 255}, 2}, {{77, 254, 3, 255}, 2},
        {{77, 254, 3, 255}, 1}, {{255, 255, 255, 255}, 0}};
    Grab();  // masks for the built-in font
    for (const auto& f : frames) {
        g_var.obj.label.color = f.color;
        str_copy(g_var.obj.label.font, fonts[f.font].c_str(), sizeof g_var.obj.label.font);
        ASSERT_TRUE(w.UpdateObjLabelFont());
        ASSERT_EQ(w.labelFont.draw.w, f.font ? 12 : 10);
        Grab();
        Grab();  // the second frame from the masks the first made
        const std::vector<uint8_t> got = pixels;
        EXPECT_EQ(w.plot.labels.MaskCount(), f.font == 1 ? 0u : 5u) << "one mask per distinct name";
        const std::vector<uint8_t> want = glyph_by_glyph();
        EXPECT_GT(CountAll(f.color) + CountAll({Uint8(90 * f.color.r / 255), Uint8(160 * f.color.g / 255),
                                                Uint8(250 * f.color.b / 255), 255}), 100);
        EXPECT_TRUE(got == want) << "colour " << int(f.color.g) << " font " << f.font;
        Grab();
    }
    g_var.obj.label.show = 2;
    Grab();
    EXPECT_EQ(w.plot.labels.MaskCount(), 0u) << "no selection: no label kept";
}
