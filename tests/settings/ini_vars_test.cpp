#include "settings/ini_vars.h"

#include <sstream>

#include "settings_test.h"

namespace {

// A value other than the default for every persisted setting.
void SetEverySetting()
{
    for (int id = VAR_CON_BG_COLOR; id <= VAR_NIGHT_COLOR; ++id)
        var_set_color(id, {Uint8(id), Uint8(id + 100), Uint8(id * 15), Uint8(255 - id)});
    for (int id = VAR_CON_FONT; id <= VAR_WIN_FONT; ++id)  // blanks and '=' kept
        var_set_str(id, ("/my dir/f=" + std::to_string(id)).c_str());
    const std::pair<int, int> ints[] = {{VAR_INFO_SHOW, 0},      {VAR_LAT_SHOW, 0}, {VAR_LON_SHOW, 0},
                                        {VAR_LINES_SHOW, 0},     {VAR_INFO_POS, 3}, {VAR_OBJ_SIZE, 15},
                                        {VAR_PLOT_PADDING, 200}, {VAR_PATH_SIZE, 1}, {VAR_PATH_ORBITS, 8}};
    for (const auto& [id, value] : ints)
        EXPECT_TRUE(var_set_int(id, value));
    for (int id : {VAR_OBS_SHOW, VAR_FOOT_SHOW, VAR_NIGHT_SHOW})
        EXPECT_TRUE(var_set_int(id, 1));
    // Reals that only the shortest exact text brings back unchanged.
    const std::pair<int, double> reals[] = {{VAR_OBS_LAT, -33.856785123456789}, {VAR_OBS_LON, 0.1 + 0.2},
                                            {VAR_OBS_ALT, -499.99999999999994}, {VAR_OBS_MINEL, 1e-300}};
    for (const auto& [id, value] : reals)
        EXPECT_TRUE(var_set_real(id, value));
    var_set_plot_projection(-7);
    var_set_path_show(1);
    var_set_obj_label_show(0);
    var_set_sel_catnum(25544);
    g_var.win.max = g_var.con.max = true;
    g_var.win.rect = {-20, 30, 1024, 700};
    g_var.con.rect = {2147483647, -2147483647 - 1, 320, 240};
}

std::string SaveAndRead(const std::string& path)
{
    EXPECT_TRUE(var_save_file(path.c_str()));
    return read_file(path);
}

}  // namespace

// Save, load into defaults, save again: the same bytes, and every setting line
// differs from the defaults' save, so none silently stayed at its default.
TEST_F(Settings, EverySettingSurvivesASaveAndALoad)
{
    std::string defaults = SaveAndRead(dir.file("a.ini"));
    SetEverySetting();
    std::string first = SaveAndRead(dir.file("a.ini"));
    var_reset();
    var_load_file(dir.file("a.ini").c_str());
    EXPECT_EQ(SaveAndRead(dir.file("b.ini")), first);
    EXPECT_EQ(SaveAndRead(dir.file("a.ini")), first);

    std::istringstream a(defaults), b(first);
    std::string la, lb;
    int same = 0;
    while (std::getline(a, la) && std::getline(b, lb))
        same += la == lb && la[0] != '[';
    EXPECT_EQ(same, 2);  // only App Base and Pref
    EXPECT_NE(first.find("[Lines]\nColor=11 111 165 244 \nData=/my dir/f=43\nShow=0\n"), std::string::npos);
    EXPECT_TRUE(g_var.obs.lat == -33.856785123456789 && g_var.obs.lon == 0.1 + 0.2 &&
                g_var.obs.alt == -499.99999999999994 && g_var.obs.minel == 1e-300);
    EXPECT_NE(defaults.find("[Observer]\nAltitude=0\nColor=255 0 255 255 \nLatitude=0\nLongitude=0\n"
                            "MinElevation=10\nShow=0\n[Path]"), std::string::npos);
}

// A file from before the observer existed, and one of bad observer values, leave
// every observer setting at its default.
TEST_F(Settings, MissingOrBadObserverValuesKeepTheDefaults)
{
    var_load_file(dir.write("empty.ini", "").c_str());  // the data folder and file get their defaults
    std::string want = SaveAndRead(dir.file("d.ini"));
    want.replace(want.find("Padding=10\n"), 11, "Padding=20\n");
    var_load_file(dir.write("old.ini", "[Plot]\nPadding=20\n").c_str());
    EXPECT_EQ(SaveAndRead(dir.file("a.ini")), want);
    var_load_file(dir.write("bad.ini", "[Observer]\nLatitude=nan\nLongitude=180.5\nAltitude=1e400\nMinElevation=abc\n"
                                       "Show=2\nColor=1 2 3\n[Footprint]\nShow=-1\n[Night]\nColor=9 9 9 300\n")
                      .c_str());
    EXPECT_EQ(SaveAndRead(dir.file("b.ini")), want);
}

TEST_F(Settings, LoadRefusesMalformedAndOutOfRangeValues)
{
    // Projection beyond int must not be narrowed to 101; after the stray line nothing is read.
    dir.write("a.ini", "[Plot]\r\nProjection=4294967397\r\nPadding=201\r\nBackground=1 2 3\r\n"
                       "[Object]\r\nSize=4 \r\nColor=255 0 0 256\r\n[Window]\r\nRect=1 2 3\r\nMax=7\r\n"
                       "[Lines]\r\nFile=ignored.dat\r\n[Info]\r\nPos=2\r\nstray line\r\nShow=0\r\n");
    var_load_file(dir.file("a.ini").c_str());
    EXPECT_EQ(g_var.plot.projection, 100);
    EXPECT_EQ(g_var.plot.padding, 10);
    EXPECT_EQ(g_var.plot.bg.color.a, 255);
    EXPECT_EQ(g_var.obj.size, 4);
    EXPECT_EQ(g_var.obj.color.g, 0);
    EXPECT_EQ(g_var.win.rect.w, 800);
    EXPECT_TRUE(g_var.win.max);
    EXPECT_STREQ(g_var.lines.data, "world.dat");
    EXPECT_EQ(g_var.info.pos, 2);
    EXPECT_TRUE(g_var.info.show);
}
