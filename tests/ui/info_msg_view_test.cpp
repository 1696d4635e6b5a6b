#include <cstring>

#include "ui/info_view.h"
#include "ui/ui_fixture.h"

namespace {

const color4b_t PANEL = {30, 30, 30, 255};
const color4b_t LABEL = {0, 170, 170, 255};
const color4b_t NAME = {250, 250, 250, 255};
const color4b_t VALUE = {250, 250, 80, 255};

class InfoTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        g_var.info.bg.color = PANEL;
        g_var.info.label.color = LABEL;
        g_var.info.name.color = NAME;
        g_var.info.value.color = VALUE;
        g_var.info.show = true;
    }
    const infoItem_t& Period() const { return InfoView::s_items[6]; }
};

}  // namespace

TEST(InfoFormat, AnglesWithDegreeSignAndHemisphere)
{
    char buf[64];
    info_format_angle(buf, sizeof buf, float(-12.3456 * M_PI / 180), 'N', 'S');
    EXPECT_STREQ(buf, "   12.35\xF8S");
    info_format_angle(buf, sizeof buf, float(-45.6789 * M_PI / 180), 'E', 'W');
    EXPECT_STREQ(buf, "   45.68\xF8W");
    info_format_angle(buf, sizeof buf, 0.0f, 'N', 'S');
    EXPECT_STREQ(buf, "    0.00\xF8N");
    info_format_angle(buf, sizeof buf, float(M_PI), 'E', 'W');
    EXPECT_STREQ(buf, "  180.00\xF8" "E");
}

TEST_F(InfoTest, VerticalAndHorizontalLayouts)
{
    g_var.info.pos = 1;
    LoadSatellites({{"ISS (ZARYA)", 25544, -45.6789f, -12.3456f, true}});
    g_var.sel.catnum = 25544;
    OpenWindow();
    EXPECT_TRUE(w.info.vertical);
    EXPECT_EQ(w.info.rect.w, 250);
    EXPECT_EQ(w.info.rect.x, 550);
    EXPECT_EQ(Period().labelPos.x, 0);
    EXPECT_EQ(Period().labelPos.y, 144);
    EXPECT_EQ(Period().valuePos.x, 110);
    EXPECT_EQ(Period().valuePos.y, 144);
    Grab();
    const SDL_Rect& p = w.info.rect;
    // "Period:" in the label colour, its value in the value colour, the name
    // at the top left in the name colour.
    EXPECT_GT(Count({p.x, p.y + 144, 70, 16}, LABEL), 20);
    EXPECT_GT(Count({p.x + 110, p.y + 144, 120, 16}, VALUE), 20);
    EXPECT_GT(Count({p.x, p.y, 110, 16}, NAME), 20);
    EXPECT_EQ(Count({p.x, p.y + 144, 110, 16}, VALUE), 0);
    // Latitude value on row 3, starting at cell 11.
    EXPECT_GT(Count({p.x + 110, p.y + 48, 100, 16}, VALUE), 20);

    g_var.info.pos = 0;
    w.info.SetVertical(false);
    w.UpdateChildRects();
    EXPECT_EQ(w.info.rect.h, 64);
    EXPECT_EQ(Period().labelPos.x, 490);
    EXPECT_EQ(Period().labelPos.y, 48);
    EXPECT_EQ(Period().valuePos.x, 600);
    EXPECT_EQ(Period().valuePos.y, 48);
    Grab();
    EXPECT_GT(Count({490, 48, 70, 16}, LABEL), 20);
    EXPECT_GT(Count({600, 48, 120, 16}, VALUE), 20);
    EXPECT_EQ(Count({0, 64, 800, 536}, PANEL), 0) << "the panel is 64 pixels high";
}

TEST_F(InfoTest, NoSelectionShowsLabelsAndTheNoticeOnly)
{
    g_var.info.pos = 3;
    LoadSatellites({{"ONE", 1, 10, 10, true}});
    OpenWindow();
    Grab();
    EXPECT_EQ(w.info.rect.x, 0);
    EXPECT_GT(Count({0, 0, 210, 16}, NAME), 50);   // "No Satellite Selected"
    EXPECT_GT(Count({0, 144, 70, 16}, LABEL), 20);
    EXPECT_EQ(Count(w.info.rect, VALUE), 0);
}

TEST_F(InfoTest, UnplacedSatelliteShowsNoPositionFigures)
{
    g_var.info.pos = 1;
    LoadSatellites({{"NOPOS", 7, 0, 0, false}});
    g_var.sel.catnum = 7;
    OpenWindow();
    ASSERT_NE(g_var.sel.obj, nullptr);
    Grab();
    const SDL_Rect& p = w.info.rect;
    EXPECT_GT(Count({p.x + 110, p.y + 16, 60, 16}, VALUE), 10);  // catalogue number
    EXPECT_EQ(Count({p.x + 110, p.y + 48, 140, 48}, VALUE), 0);  // lat, lon, alt
    EXPECT_GT(Count({p.x + 110, p.y + 144, 120, 16}, VALUE), 20);  // period
}

TEST_F(InfoTest, MessageBoxSizePositionAndLife)
{
    g_var.info.show = false;
    g_var.plot.bg.color = {200, 200, 200, 255};
    OpenWindow();
    w.ShowMsg("Equirect 11");
    EXPECT_EQ(w.msg.rect.w, 150);
    EXPECT_EQ(w.msg.rect.h, 56);
    EXPECT_EQ(w.msg.rect.x, 325);
    EXPECT_EQ(w.msg.rect.y, 272);
    EXPECT_TRUE(w.msg.visible);
    Grab();
    // The translucent box darkens the map; text is white.
    color4b_t c = Pixel(330, 276);
    EXPECT_NEAR(c.r, 200 * 63 / 255, 2);
    EXPECT_GT(Count(w.msg.rect, {255, 255, 255, 255}), 50);
    EXPECT_TRUE(same_color(Pixel(324, 276), {200, 200, 200, 255}));

    w.Animate(1999);
    EXPECT_TRUE(w.msg.visible);
    w.ShowMsg("Miller");  // a new message restarts the two seconds
    EXPECT_EQ(w.msg.rect.w, 6 * 10 + 40);
    w.Animate(1999);
    EXPECT_TRUE(w.msg.visible);
    w.Animate(1);
    EXPECT_FALSE(w.msg.visible);
    EXPECT_EQ(w.msg.elapsed, 0u);
    Grab();
    EXPECT_EQ(CountAll({255, 255, 255, 255}), 0);

    w.ShowMsg("Stalled");
    w.Animate(5000);
    EXPECT_FALSE(w.msg.visible);

    std::string longText(300, 'x');
    w.ShowMsg(longText.c_str());
    EXPECT_EQ(strlen(w.msg.text), 256u);
}
