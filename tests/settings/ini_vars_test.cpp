#include "settings/ini_vars.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/app_paths.h"
#include "settings/vars.h"

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Scratch()
{
    return ::testing::TempDir() + "skytrace-test-xdg";
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

// Saving, loading into defaults and saving again gives the same bytes: every
// setting came back. The file differs from a save of the defaults in every
// setting line, so none was silently kept at its default.
TEST_F(IniVars, EverySettingSurvivesASaveAndALoad)
{
    ASSERT_TRUE(var_save_file(path.c_str()));
    std::string defaults = ReadFile(path);
    SetEverySetting();
    ASSERT_TRUE(var_save_file(path.c_str()));
    std::string first = ReadFile(path);
    var_reset();
    var_load_file(path.c_str());
    ASSERT_TRUE(var_save_file((dir + "/b.ini").c_str()));
    EXPECT_EQ(ReadFile(dir + "/b.ini"), first);
    ASSERT_TRUE(var_save_file(path.c_str()));
    EXPECT_EQ(ReadFile(path), first);

    std::istringstream a(defaults), b(first);
    std::string la, lb;
    int same = 0;
    while (std::getline(a, la) && std::getline(b, lb))
        same += la == lb && la[0] != '[';
    EXPECT_EQ(same, 2);  // only App Base and Pref
    EXPECT_NE(first.find("[Lines]\nColor=13 14 15 16 \nData=coast line.dat\nShow=0\n"), std::string::npos);
    EXPECT_EQ(
        std::string(defaults, defaults.find("[Console]")),
        "[Console]\nBackground=0 0 0 255 \nFont=\nForeground=192 192 192 255 \nMax=0\n"
        "Rect=805240832 805240832 800 600 \n[Info]\nPos=0\nShow=1\n[Info Color]\nBackground=24 24 24 255 \n"
        "Data=255 255 85 255 \nLabel=0 170 170 255 \nName=255 255 255 255 \n[Latitude]\nColor=0 0 255 255 \n"
        "Show=1\n[Lines]\nColor=0 192 64 255 \nData=world.dat\nShow=1\n[Longitude]\nColor=0 0 255 255 \n"
        "Show=1\n[Object]\nColor=255 0 0 255 \nData=\nSize=3\n[Object Label]\nColor=255 255 255 255 \nFont=\n"
        "Show=2\n[Object Selected]\nData=0\n[Path]\nColor=255 255 0 160 \nOrbits=1\nShow=2\nSize=3\n[Plot]\n"
        "Background=0 0 0 255 \nPadding=10\nProjection=100\n[User]\nAppPath=\nDataPath=\n[Window]\nFont=\nMax=0\n"
        "Rect=805240832 805240832 800 600 \n");
}

TEST_F(IniVars, LoadRefusesMalformedAndOutOfRangeValues)
{
    std::ofstream(path, std::ios::binary) << "[Plot]\r\n"
                                             "Projection=4294967397\r\n"  // not narrowed to 101
                                             "Padding=201\r\n"
                                             "Background=1 2 3\r\n"
                                             "[Object]\r\n"
                                             "Size=4 \r\n"
                                             "Color=255 0 0 256\r\n"
                                             "[Window]\r\n"
                                             "Rect=1 2 3\r\n"
                                             "Max=7\r\n"
                                             "[Lines]\r\n"
                                             "File=ignored.dat\r\n"
                                             "[Info]\r\n"
                                             "Pos=2\r\n"
                                             "stray line\r\n"
                                             "Show=0\r\n";
    var_load_file(path.c_str());
    EXPECT_EQ(g_var.plot.projection, 100);
    EXPECT_EQ(g_var.plot.padding, 10);
    EXPECT_EQ(g_var.plot.bg.color.a, 255);
    EXPECT_EQ(g_var.obj.size, 4);
    EXPECT_EQ(g_var.obj.color.g, 0);
    EXPECT_EQ(g_var.win.rect.w, 800);
    EXPECT_TRUE(g_var.win.max);
    EXPECT_STREQ(g_var.lines.data, "world.dat");
    EXPECT_EQ(g_var.info.pos, 2);
    EXPECT_TRUE(g_var.info.show);  // after the bad line nothing is read
    EXPECT_STREQ(g_var.obj.data, "datamgr.txt");  // missing: the default
    const char* home = std::getenv("HOME");
    if (home && home[0]) {
        EXPECT_EQ(std::string(g_var.user.data.path).rfind(home, 0), 0u);
    }
}

// var_save and var_load use the preference folder: the fixture points it at
// a scratch folder, and the test skips when the folder was fixed elsewhere
// earlier in this process, so it never touches a user's real settings.
TEST_F(IniVars, StartAndExitCallsUseThePreferenceFolder)
{
    std::string ini = app_ini_file_name();
    if (ini.rfind(Scratch(), 0) != 0)
        GTEST_SKIP() << "the preference folder was fixed before this test";
    var_set_obj_size(9);
    var_save();
    var_reset();
    var_load();
    EXPECT_EQ(g_var.obj.size, 9);
    unlink(ini.c_str());
}
