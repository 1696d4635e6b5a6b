#include <climits>
#include <cmath>

#include "ui/plot_view.h"
#include "ui/ui_fixture.h"

namespace {

const color4b_t BG = {10, 20, 30, 255};
const color4b_t LAT = {0, 0, 250, 255};
const color4b_t LON = {0, 250, 0, 255};
const color4b_t COAST = {250, 0, 0, 255};
const color4b_t OBJ = {250, 250, 0, 255};
const color4b_t LABEL = {0, 250, 250, 255};
const color4b_t PATH = {250, 0, 250, 160};

class PlotTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.plot.bg.color = BG;
        g_var.lat.color = LAT;
        g_var.lon.color = LON;
        g_var.lines.color = COAST;
        g_var.obj.color = OBJ;
        g_var.obj.label.color = LABEL;
        g_var.obj.label.show = 0;
        g_var.path.color = PATH;
        g_var.path.show = 0;
        g_var.info.show = false;
        g_var.plot.padding = 10;
    }
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
    // One coastline: a short diagonal in the Atlantic.
    g_coastlines.Alloc(3, 1);
    point2f_t* p = g_coastlines.Points();
    p[0] = {float(-40 * M_PI / 180), float(5 * M_PI / 180)};
    p[1] = {float(-35 * M_PI / 180), float(15 * M_PI / 180)};
    p[2] = {float(-30 * M_PI / 180), float(25 * M_PI / 180)};
    g_coastlines.Polylines()[0] = {3, p};
    init_data(0x6004);
    update_data(0x2004);
    OpenWindow();
    ASSERT_EQ(w.plot.rect.w, 800);

    Grab();
    EXPECT_EQ(CountAll(BG), 800 * 600) << "every layer off leaves the background";

    g_var.lat.show = true;
    Grab();
    point2i_t eq = Middle(g_latLinesS, 9);  // the equator
    EXPECT_TRUE(same_color(Pixel(eq.x + 5, eq.y), LAT));
    EXPECT_TRUE(same_color(Pixel(eq.x + 5, eq.y - 3), BG));
    EXPECT_EQ(CountAll(LON), 0);

    g_var.lat.show = false;
    g_var.lon.show = true;
    Grab();
    point2i_t mer = Middle(g_lonLinesS, 18);  // the prime meridian
    EXPECT_TRUE(same_color(Pixel(mer.x, mer.y + 40), LON));
    EXPECT_TRUE(same_color(Pixel(mer.x + 3, mer.y + 40), BG));
    EXPECT_EQ(CountAll(LAT), 0);

    g_var.lat.show = true;
    g_var.lines.show = true;
    Grab();
    point2i_t c = Middle(g_coastlinesS, 0);
    EXPECT_TRUE(same_color(Pixel(c.x, c.y), COAST));
    // The coastline is drawn over the grid; the grid still shows elsewhere.
    EXPECT_GT(CountAll(LAT), 0);
    EXPECT_GT(CountAll(LON), 0);
    // Nothing is drawn in the padding.
    EXPECT_EQ(Count({0, 0, 800, 10}, LAT) + Count({0, 0, 800, 10}, LON), 0);
}

TEST_F(PlotTest, OneSquarePerSatelliteWithAPosition)
{
    g_var.obj.size = 5;
    LoadSatellites({{"ONE", 1, 10, 20, true}, {"NOPOS", 2, 0, 0, false}, {"THREE", 3, -50, -30, true}});
    OpenWindow();
    Grab();
    const SDL_Rect& a = g_orbRectsS[0];
    const SDL_Rect& b = g_orbRectsS[2];
    EXPECT_EQ(a.w, 5);
    EXPECT_EQ(a.h, 5);
    EXPECT_EQ(Count(a, OBJ), 25);
    EXPECT_EQ(Count(b, OBJ), 25);
    EXPECT_TRUE(same_color(Pixel(a.x - 1, a.y), BG));
    EXPECT_TRUE(same_color(Pixel(a.x + 5, a.y + 4), BG));
    // The satellite without a position leaves no mark anywhere.
    EXPECT_EQ(CountAll(OBJ), 50);
    // West of the meridian on the left, south of the equator lower down.
    EXPECT_LT(b.x, a.x);
    EXPECT_GT(b.y, a.y);
}

TEST_F(PlotTest, LabelsLieTowardsTheMiddleOfTheMap)
{
    g_var.obj.size = 3;
    g_var.obj.label.show = 1;
    LoadSatellites({{"EAST", 1, 0.0f, 30, true}, {"WEST", 2, -0.01f, -30, true}, {"HIDDEN", 3, 60, 0, false}});
    OpenWindow();
    Grab();
    const int gw = 10, gh = 16;
    const SDL_Rect& e = g_orbRectsS[0];
    const SDL_Rect& wr = g_orbRectsS[1];
    // Longitude 0: the label ends at the square's right edge.
    SDL_Rect left = {e.x + e.w - 4 * gw, e.y - gh - 1, 4 * gw, gh};
    SDL_Rect right = {e.x + e.w, e.y - gh - 1, 4 * gw, gh};
    EXPECT_GT(Count(left, LABEL), 10);
    EXPECT_EQ(Count(right, LABEL), 0);
    // Nothing of it below its bottom row, the row just above the square.
    EXPECT_EQ(Count({e.x - 40, e.y, 80, 3}, LABEL), 0);
    // Longitude -0.01: the label starts at the square's left edge.
    SDL_Rect wRight = {wr.x, wr.y - gh - 1, 4 * gw, gh};
    SDL_Rect wLeft = {wr.x - 4 * gw, wr.y - gh - 1, 4 * gw, gh};
    EXPECT_GT(Count(wRight, LABEL), 10);
    EXPECT_EQ(Count(wLeft, LABEL), 0);
    // Only the two labels: the satellite without a position has none.
    EXPECT_EQ(CountAll(LABEL), Count(left, LABEL) + Count(wRight, LABEL));

    g_var.obj.label.show = 2;
    Grab();
    EXPECT_EQ(CountAll(LABEL), 0) << "mode 2 without a selection";
    w.SelObj(2);
    Grab();
    EXPECT_EQ(Count(left, LABEL), 0);
    EXPECT_GT(Count(wRight, LABEL), 10);
}

TEST_F(PlotTest, LongNamesAreCutTo63Characters)
{
    g_var.obj.label.show = 1;
    std::string name(100, 'W');
    LoadSatellites({{name.c_str(), 1, -150, 40, true}});
    OpenWindow();
    Grab();
    const SDL_Rect& sq = g_orbRectsS[0];
    SDL_Rect last = {sq.x + 62 * 10, sq.y - 17, 10, 16};
    SDL_Rect beyond = {sq.x + 63 * 10, sq.y - 17, 200, 16};
    EXPECT_GT(Count(last, LABEL), 5);
    EXPECT_EQ(Count(beyond, LABEL), 0);
}

TEST_F(PlotTest, LabelPlacementStaysInRange)
{
    SDL_Rect sq = {100, 50, 4, 4};
    EXPECT_EQ(PlotView::LabelX(sq, 0.0f, 3, 10), 74);
    EXPECT_EQ(PlotView::LabelX(sq, -0.0001f, 3, 10), 100);
    EXPECT_EQ(PlotView::LabelY(sq, 16), 33);
    SDL_Rect far = {INT_MIN + 5, INT_MIN + 5, 4, 4};
    EXPECT_EQ(PlotView::LabelX(far, 1.0f, 63, 1000), INT_MIN);
    EXPECT_EQ(PlotView::LabelY(far, 1000), INT_MIN);
    EXPECT_EQ(PlotView::LabelX(far, NAN, 63, 1000), INT_MIN + 5);
}

TEST_F(PlotTest, OrbitPathAsSquaresOrLinesOnlyWithASelection)
{
    LoadSatellites({{"ONE", 1, 10, 20, true}});
    OpenWindow();
    g_var.path.show = 1;
    Grab();
    EXPECT_EQ(CountAll(PATH), 0) << "no selection, no path";
    w.SelObj(1);
    g_path.EnablePolylines(false);
    update_data(0x1010);
    Grab();
    int squares = CountAll(PATH);
    EXPECT_GE(squares, 20);
    g_var.path.show = 2;
    g_path.EnablePolylines(true);
    update_data(0x1010);
    Grab();
    int lines = CountAll(PATH);
    EXPECT_GT(lines, 100);
    EXPECT_NE(lines, squares);
    g_var.path.show = 0;
    Grab();
    EXPECT_EQ(CountAll(PATH), 0);
}

TEST_F(PlotTest, NearestSatelliteRule)
{
    LoadSatellites({{"NOPOS", 3, -20, 0, false}, {"A", 1, -20, 0, true}, {"B", 2, -20, 0, true},
                    {"C", 4, 20, 60, true}});
    OpenWindow();
    object_t* a = obj_find(1, g_objs.first);
    point2i_t pa = g_oePtsS[1], pc = g_oePtsS[3];
    // A and B share a point: the earlier one wins; the unplaced satellite,
    // earlier still, is never found.
    EXPECT_EQ(w.plot.NearestObj(pa.x, pa.y), a);
    EXPECT_EQ(w.plot.NearestObj(pa.x + 7, pa.y - 3), a);
    EXPECT_EQ(w.plot.NearestObj(pc.x, pc.y + 3), obj_find(4, g_objs.first));
    // Far away still finds the nearest, up to 65000 pixels.
    EXPECT_EQ(w.plot.NearestObj(pa.x, pa.y + 5000), a);
    EXPECT_EQ(w.plot.NearestObj(pa.x, pa.y + 64999), a);
    EXPECT_EQ(w.plot.NearestObj(pa.x, pa.y + 65000), nullptr);
    EXPECT_EQ(w.plot.NearestObj(pa.x, INT_MAX), nullptr);

    LoadSatellites({});
    EXPECT_EQ(w.plot.NearestObj(10, 10), nullptr);
}
