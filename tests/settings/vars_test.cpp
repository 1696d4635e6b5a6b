#include <cstring>
#include <string>

#include "settings/vars.h"
#include "test_util.h"

class Vars : public ::testing::Test {
protected:
    void SetUp() override
    {
        var_reset();
        g_varHooks = {};
    }
    void TearDown() override
    {
        var_reset();
        g_varHooks = {};
    }
};

TEST_F(Vars, DefaultsAndTable)
{
    EXPECT_EQ(g_var.plot.padding, 10);
    EXPECT_EQ(g_var.plot.projection, 100);
    EXPECT_STREQ(g_var.lines.data, "world.dat");
    EXPECT_EQ(g_var.obj.size, 3);
    EXPECT_EQ(g_var.path.color.a, 160);
    EXPECT_EQ(g_var.win.rect.x, static_cast<int>(0x2FFF0000));
    EXPECT_EQ(g_var.con.rect.w, 800);
    EXPECT_EQ(g_var.lat.points, 361u);
    EXPECT_EQ(g_var.lon.lines, 37u);

    int n = 0;
    const varName_t* t = var_table();
    for (; t[n].name; ++n) {
        if (n > 0) {
            EXPECT_LT(std::strcmp(t[n - 1].name, t[n].name), 0) << t[n].name;
        }
    }
    EXPECT_EQ(n, 31);
    EXPECT_STREQ(t[0].name, "app.base");
    EXPECT_STREQ(t[30].name, "win.font");
    EXPECT_EQ(var_find("obj.size"), VAR_OBJ_SIZE);
    EXPECT_EQ(var_find("plot.projection"), 0);  // has an id but no name
}

TEST_F(Vars, TypedSettersRefuseOutOfRangeValues)
{
    struct Case {
        bool (*set)(int);
        int lo, hi;
        int (*get)();
    } cases[] = {
        {var_set_info_pos, 0, 3, [] { return int(g_var.info.pos); }},
        {var_set_obj_label_show, 0, 2, [] { return int(g_var.obj.label.show); }},
        {var_set_path_show, 0, 2, [] { return int(g_var.path.show); }},
        {var_set_obj_size, 1, 15, [] { return int(g_var.obj.size); }},
        {var_set_path_size, 1, 15, [] { return int(g_var.path.size); }},
        {var_set_path_orbits, 1, 8, [] { return int(g_var.path.orbits); }},
        {var_set_plot_padding, 0, 200, [] { return int(g_var.plot.padding); }},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.set(c.lo));
        EXPECT_EQ(c.get(), c.lo);
        EXPECT_TRUE(c.set(c.hi));
        EXPECT_EQ(c.get(), c.hi);
        EXPECT_FALSE(c.set(c.lo - 1));
        EXPECT_FALSE(c.set(c.hi + 1));
        EXPECT_FALSE(c.set(-1000000));
        EXPECT_EQ(c.get(), c.hi) << "a refused value must leave the field unchanged";
    }
    EXPECT_TRUE(var_set_info_show(5));
    EXPECT_TRUE(g_var.info.show);
    EXPECT_TRUE(var_set_plot_projection(705));
    EXPECT_EQ(g_var.plot.projection, 705);
}

TEST_F(Vars, PathsAndFileNames)
{
    var_set_user_app_path("/opt/sky");
    EXPECT_STREQ(g_var.user.app.path, "/opt/sky/");
    var_set_user_app_path("/opt/sky/");
    EXPECT_STREQ(g_var.user.app.path, "/opt/sky/");
    var_set_user_app_path("");
    EXPECT_STREQ(g_var.user.app.path, "");

    // A 1024-character value keeps its terminator; the slash takes the last place.
    std::string big(1500, 'a');
    char field[TEXT_CAP + 8];
    std::memset(field, 'X', sizeof field);
    set_fpath(field, big.c_str());
    EXPECT_EQ(std::strlen(field), TEXT_CAP - 1);
    EXPECT_EQ(field[TEXT_CAP - 2], '/');
    EXPECT_EQ(field[TEXT_CAP], 'X');

    var_set_obj_data("   ");
    EXPECT_STREQ(g_var.obj.data, "datamgr.txt");
    var_set_obj_data("  mine.txt ");
    EXPECT_STREQ(g_var.obj.data, "mine.txt");

    TempDir home;
    home.mkdir("Documents");
    std::string old = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", home.path().c_str(), 1);
    var_set_user_data_path(" \t ");
    EXPECT_EQ(std::string(g_var.user.data.path), home.file("Documents") + "/");
    var_set_user_data_path(" /data ");
    EXPECT_STREQ(g_var.user.data.path, "/data/");
    setenv("HOME", old.c_str(), 1);

    var_set_win_font(big.c_str());
    EXPECT_EQ(std::strlen(g_var.win.font), TEXT_CAP - 1);
}

static int s_calls;
static int s_lastPos;

TEST_F(Vars, GenericSettersValidateStoreAndNotify)
{
    s_calls = 0;
    g_varHooks.infoPos = [](int pos) { s_lastPos = pos; ++s_calls; };
    g_varHooks.objSize = [] { ++s_calls; };
    g_varHooks.objData = [] { ++s_calls; };

    EXPECT_FALSE(var_set_int(VAR_INFO_POS, 4));
    EXPECT_EQ(s_calls, 0);
    EXPECT_TRUE(var_set_int(VAR_INFO_POS, 3));
    EXPECT_EQ(s_lastPos, 3);
    EXPECT_FALSE(var_set_int(VAR_OBJ_SIZE, 16));
    EXPECT_TRUE(var_set_int(VAR_OBJ_SIZE, 7));
    EXPECT_EQ(g_var.obj.size, 7);
    EXPECT_EQ(s_calls, 2);
    // Unnamed and foreign ids are ignored with success.
    EXPECT_TRUE(var_set_int(VAR_PLOT_PROJECTION, 703));
    EXPECT_EQ(g_var.plot.projection, 100);
    EXPECT_TRUE(var_set_int(99, 1));
    EXPECT_TRUE(var_set_int(VAR_LAT_SHOW, 0));
    EXPECT_FALSE(g_var.lat.show);

    color4b_t c = {10, 20, 30, 40};
    EXPECT_TRUE(var_set_color(VAR_PLOT_BG_COLOR, c));
    color4b_t out = {};
    EXPECT_TRUE(var_get_color(out, VAR_PLOT_BG_COLOR));
    EXPECT_EQ(out.g, 20);
    EXPECT_TRUE(var_set_color(15, c));
    EXPECT_FALSE(var_get_color(out, 15));

    int dummy = 0;
    g_var.sel.obj = reinterpret_cast<object_t*>(&dummy);
    EXPECT_TRUE(var_set_str(VAR_OBJ_DATA, " other.txt "));
    EXPECT_STREQ(g_var.obj.data, "other.txt");
    EXPECT_EQ(g_var.sel.obj, nullptr);
    EXPECT_EQ(s_calls, 3);

    EXPECT_TRUE(var_set_str(VAR_APP_BASE, "/nowhere"));
    EXPECT_STRNE(var_get_str(VAR_APP_BASE), "/nowhere");
    EXPECT_EQ(var_get_str(39), nullptr);
    EXPECT_STREQ(var_get_str(VAR_LINES_DATA), "world.dat");

    int v = 0;
    EXPECT_TRUE(var_get_int(v, VAR_LAT_POINTS));
    EXPECT_EQ(v, 361);
    EXPECT_TRUE(var_get_int(v, VAR_LAT_SHOW));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(var_get_int(v, 34));
}
