#include <cmath>
#include <cstring>
#include <string>

#include "settings_test.h"

TEST_F(Settings, TypedSettersRefuseOutOfRangeValues)
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
        {var_set_obs_show, 0, 1, [] { return int(g_var.obs.show); }},
        {var_set_foot_show, 0, 1, [] { return int(g_var.foot.show); }},
        {var_set_night_show, 0, 1, [] { return int(g_var.night.show); }},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(c.set(c.lo) && c.get() == c.lo && c.set(c.hi)) << "case " << &c - cases;
        EXPECT_FALSE(c.set(c.lo - 1) || c.set(c.hi + 1) || c.set(-1000000)) << "case " << &c - cases;
        EXPECT_EQ(c.get(), c.hi) << "a refused value must leave the field unchanged";
    }
    EXPECT_TRUE(var_set_info_show(5));
    EXPECT_TRUE(g_var.info.show);

    struct Real {
        bool (*set)(double);
        double lo, hi;
        const double* field;
    } reals[] = {{var_set_obs_lat, -90, 90, &g_var.obs.lat},
                 {var_set_obs_lon, -180, 180, &g_var.obs.lon},
                 {var_set_obs_alt, -500, 10000, &g_var.obs.alt},
                 {var_set_obs_minel, -5, 90, &g_var.obs.minel}};
    for (const Real& c : reals) {
        EXPECT_TRUE(c.set(c.lo) && *c.field == c.lo && c.set(c.hi)) << "real " << &c - reals;
        for (double bad : {std::nextafter(c.lo, -1e9), std::nextafter(c.hi, 1e9), double(NAN), double(INFINITY), -double(INFINITY)})
            EXPECT_FALSE(c.set(bad)) << bad;
        EXPECT_EQ(*c.field, c.hi);
    }
}

TEST_F(Settings, PathsAndFileNames)
{
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
    dir.mkdir("Documents");
    std::string old = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", dir.path().c_str(), 1);
    var_set_user_data_path(" \t ");
    EXPECT_EQ(std::string(g_var.user.data.path), dir.file("Documents") + "/");
    setenv("HOME", old.c_str(), 1);
}

static int s_calls;

TEST_F(Settings, GenericSettersValidateStoreAndNotify)
{
    s_calls = 0;
    g_varHooks.infoPos = [](int pos) { s_calls += pos; };
    g_varHooks.objData = [] { ++s_calls; };
    EXPECT_FALSE(var_set_int(VAR_INFO_POS, 4));
    EXPECT_TRUE(var_set_int(VAR_INFO_POS, 3));
    EXPECT_EQ(s_calls, 3);
    EXPECT_FALSE(var_set_int(VAR_OBJ_SIZE, 16));
    EXPECT_TRUE(var_set_int(VAR_OBJ_SIZE, 7));
    EXPECT_EQ(g_var.obj.size, 7);
    // Unnamed ids are ignored with success.
    EXPECT_TRUE(var_set_int(VAR_PLOT_PROJECTION, 703));
    EXPECT_EQ(g_var.plot.projection, 100);

    // A new catalogue drops the selection.
    int dummy = 0;
    g_var.sel.obj = reinterpret_cast<object_t*>(&dummy);
    EXPECT_TRUE(var_set_str(VAR_OBJ_DATA, " other.txt "));
    EXPECT_STREQ(g_var.obj.data, "other.txt");
    EXPECT_EQ(g_var.sel.obj, nullptr);
    EXPECT_EQ(s_calls, 4);
    EXPECT_TRUE(var_set_str(VAR_APP_BASE, "/nowhere"));
    EXPECT_STRNE(var_get_str(VAR_APP_BASE), "/nowhere");
}
