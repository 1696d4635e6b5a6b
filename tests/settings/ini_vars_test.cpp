#include "settings/ini_vars.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_paths.h"
#include "settings/ini_file.h"
#include "settings/vars.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

bool SameColor(const color4b_t& a, const color4b_t& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameRect(const SDL_Rect& a, const SDL_Rect& b)
{
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// Every persisted setting of two records, compared field by field.
void ExpectSameSettings(const var_t& a, const var_t& b)
{
    EXPECT_STREQ(a.user.app.path, b.user.app.path);
    EXPECT_STREQ(a.user.data.path, b.user.data.path);
    EXPECT_TRUE(SameColor(a.plot.bg.color, b.plot.bg.color));
    EXPECT_EQ(a.plot.padding, b.plot.padding);
    EXPECT_EQ(a.plot.projection, b.plot.projection);
    EXPECT_TRUE(SameColor(a.lat.color, b.lat.color));
    EXPECT_EQ(a.lat.show, b.lat.show);
    EXPECT_TRUE(SameColor(a.lon.color, b.lon.color));
    EXPECT_EQ(a.lon.show, b.lon.show);
    EXPECT_STREQ(a.lines.data, b.lines.data);
    EXPECT_TRUE(SameColor(a.lines.color, b.lines.color));
    EXPECT_EQ(a.lines.show, b.lines.show);
    EXPECT_STREQ(a.obj.data, b.obj.data);
    EXPECT_TRUE(SameColor(a.obj.color, b.obj.color));
    EXPECT_EQ(a.obj.size, b.obj.size);
    EXPECT_TRUE(SameColor(a.obj.label.color, b.obj.label.color));
    EXPECT_EQ(a.obj.label.show, b.obj.label.show);
    EXPECT_STREQ(a.obj.label.font, b.obj.label.font);
    EXPECT_TRUE(SameColor(a.path.color, b.path.color));
    EXPECT_EQ(a.path.orbits, b.path.orbits);
    EXPECT_EQ(a.path.show, b.path.show);
    EXPECT_EQ(a.path.size, b.path.size);
    EXPECT_EQ(a.info.show, b.info.show);
    EXPECT_EQ(a.info.pos, b.info.pos);
    EXPECT_TRUE(SameColor(a.info.bg.color, b.info.bg.color));
    EXPECT_TRUE(SameColor(a.info.name.color, b.info.name.color));
    EXPECT_TRUE(SameColor(a.info.label.color, b.info.label.color));
    EXPECT_TRUE(SameColor(a.info.value.color, b.info.value.color));
    EXPECT_EQ(a.sel.catnum, b.sel.catnum);
    EXPECT_STREQ(a.win.font, b.win.font);
    EXPECT_EQ(a.win.max, b.win.max);
    EXPECT_TRUE(SameRect(a.win.rect, b.win.rect));
    EXPECT_TRUE(SameColor(a.con.bg.color, b.con.bg.color));
    EXPECT_TRUE(SameColor(a.con.fg.color, b.con.fg.color));
    EXPECT_STREQ(a.con.font, b.con.font);
    EXPECT_EQ(a.con.max, b.con.max);
    EXPECT_TRUE(SameRect(a.con.rect, b.con.rect));
}

// A value other than the default for every persisted setting.
void SetEverySetting()
{
    var_set_user_app_path("/opt/sky app");
    var_set_user_data_path("/home/u/sat data/");
    var_set_plot_bg_color({1, 2, 3, 4});
    var_set_plot_padding(200);
    var_set_plot_projection(-7);
    var_set_lat_color({5, 6, 7, 8});
    var_set_lat_show(false);
    var_set_lon_color({9, 10, 11, 12});
    var_set_lon_show(false);
    var_set_lines_data("coast line.dat");
    var_set_lines_color({13, 14, 15, 16});
    var_set_lines_show(false);
    var_set_obj_data("my.txt");
    var_set_obj_color({17, 18, 19, 20});
    var_set_obj_size(15);
    var_set_obj_label_color({21, 22, 23, 24});
    var_set_obj_label_show(0);
    var_set_obj_label_font("label=font.bmp");
    var_set_path_color({25, 26, 27, 28});
    var_set_path_orbits(8);
    var_set_path_show(1);
    var_set_path_size(1);
    var_set_info_show(0);
    var_set_info_pos(3);
    var_set_info_bg_color({29, 30, 31, 32});
    var_set_info_name_color({33, 34, 35, 36});
    var_set_info_label_color({37, 38, 39, 40});
    var_set_info_value_color({41, 42, 43, 255});
    var_set_sel_catnum(25544);
    var_set_win_font("/fonts/w.bmp");
    g_var.win.max = true;
    g_var.win.rect = {-20, 30, 1024, 700};
    g_var.con.bg.color = {0, 0, 0, 0};
    g_var.con.fg.color = {255, 254, 253, 252};
    var_set_con_font("c.bmp");
    g_var.con.max = true;
    g_var.con.rect = {2147483647, -2147483647 - 1, 320, 240};
}

std::string Scratch()
{
    return ::testing::TempDir() + "skytrace-test-xdg";
}

class IniVars : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Saving names the preference folder, which SDL creates: keep it out
        // of the user's home.
        setenv("XDG_DATA_HOME", Scratch().c_str(), 1);
        std::string t = ::testing::TempDir() + "skytrace_vars_XXXXXX";
        ASSERT_NE(mkdtemp(&t[0]), nullptr);
        dir = t;
        path = dir + "/Skytrace.ini";
        var_reset();
    }
    void TearDown() override
    {
        unlink(path.c_str());
        unlink((dir + "/b.ini").c_str());
        rmdir(dir.c_str());
        var_reset();
    }
    std::string dir, path;
};

}  // namespace

TEST_F(IniVars, EverySettingSurvivesASaveAndALoad)
{
    SetEverySetting();
    const var_t expected = g_var;
    ASSERT_TRUE(var_save_file(path.c_str()));
    var_reset();
    var_load_file(path.c_str());
    ExpectSameSettings(g_var, expected);

    // Saving what was loaded gives the same bytes, and so does a second save.
    std::string first = ReadFile(path);
    ASSERT_TRUE(var_save_file((dir + "/b.ini").c_str()));
    EXPECT_EQ(ReadFile(dir + "/b.ini"), first);
    ASSERT_TRUE(var_save_file(path.c_str()));
    EXPECT_EQ(ReadFile(path), first);

    EXPECT_NE(first.find("[Lines]\nColor=13 14 15 16 \nData=coast line.dat\nShow=0\n"), std::string::npos);
    EXPECT_EQ(first.find("File="), std::string::npos);
}

TEST_F(IniVars, SavedFileHasEverySectionAndKeyInSortedOrder)
{
    ASSERT_TRUE(var_save_file(path.c_str()));
    std::istringstream in(ReadFile(path));
    std::string line, shape;
    while (std::getline(in, line))
        shape += line.substr(0, line[0] == '[' ? std::string::npos : line.find('=')) + ";";
    EXPECT_EQ(shape,
              "[App];Base;Pref;[Console];Background;Font;Foreground;Max;Rect;[Info];Pos;Show;"
              "[Info Color];Background;Data;Label;Name;[Latitude];Color;Show;[Lines];Color;Data;Show;"
              "[Longitude];Color;Show;[Object];Color;Data;Size;[Object Label];Color;Font;Show;"
              "[Object Selected];Data;[Path];Color;Orbits;Show;Size;[Plot];Background;Padding;"
              "Projection;[User];AppPath;DataPath;[Window];Font;Max;Rect;");
}

TEST_F(IniVars, LoadRefusesMalformedAndOutOfRangeValues)
{
    WriteFile(path,
              "[Plot]\r\n"
              "Projection=4294967397\r\n"  // beyond int: refused, not narrowed to 101
              "Padding=201\r\n"
              "Background=1 2 3\r\n"
              "[Object]\r\n"
              "Size=4 \r\n"
              "Color=255 0 0 256\r\n"
              "[Path]\r\n"
              "Orbits=9\r\n"
              "Show=2\r\n"
              "[Latitude]\r\n"
              "Show=0\r\n"
              "[Longitude]\r\n"
              "Show=-5\r\n"
              "[Window]\r\n"
              "Rect=1 2 3\r\n"
              "Max=7\r\n"
              "[Lines]\r\n"
              "File=ignored.dat\r\n"
              "[Info]\r\n"
              "Pos=2\r\n"
              "stray line\r\n"
              "Show=0\r\n");
    var_load_file(path.c_str());
    EXPECT_EQ(g_var.plot.projection, 100);
    EXPECT_EQ(g_var.plot.padding, 10);
    EXPECT_EQ(g_var.plot.bg.color.a, 255);
    EXPECT_EQ(g_var.obj.size, 4);  // trailing blank is trimmed
    EXPECT_EQ(g_var.obj.color.g, 0);
    EXPECT_EQ(g_var.obj.color.r, 255);
    EXPECT_EQ(g_var.path.orbits, 1);
    EXPECT_EQ(g_var.path.show, 2);
    EXPECT_FALSE(g_var.lat.show);
    EXPECT_TRUE(g_var.lon.show);
    EXPECT_EQ(g_var.win.rect.w, 800);
    EXPECT_TRUE(g_var.win.max);
    EXPECT_STREQ(g_var.lines.data, "world.dat");
    EXPECT_EQ(g_var.info.pos, 2);
    EXPECT_TRUE(g_var.info.show);  // after the bad line nothing is read
}

TEST_F(IniVars, MissingFileGivesTheDataDefaults)
{
    const char* home = std::getenv("HOME");
    var_load_file((dir + "/none.ini").c_str());
    EXPECT_STREQ(g_var.obj.data, "datamgr.txt");
    if (home && home[0]) {
        std::string dp = g_var.user.data.path;
        EXPECT_EQ(dp.rfind(home, 0), 0u);
        EXPECT_EQ(dp.back(), '/');
    }
    EXPECT_EQ(g_var.obj.size, 3);
}

// var_save and var_load use the preference folder: the fixture points it at
// a scratch folder, and the test skips when the folder was fixed elsewhere
// earlier in this process, so it never touches a user's real settings.
TEST_F(IniVars, StartAndExitCallsUseThePreferenceFolder)
{
    std::string scratch = Scratch();
    std::string ini = app_ini_file_name();
    if (ini.rfind(scratch, 0) != 0)
        GTEST_SKIP() << "the preference folder was fixed before this test";
    EXPECT_EQ(ini.substr(ini.size() - 12), "Skytrace.ini");
    var_set_obj_size(9);
    var_save();
    var_reset();
    var_load();
    EXPECT_EQ(g_var.obj.size, 9);
    unlink(ini.c_str());
}
