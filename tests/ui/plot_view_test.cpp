#include <climits>

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
