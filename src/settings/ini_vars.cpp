#include "settings/ini_vars.h"

#include <string>

#include "app/app_paths.h"
#include "settings/ini_file.h"
#include "settings/vars.h"

// The coastline file is kept under "Data", the key the saver has always
// written, so files saved earlier keep their coastline setting.
static const char* const s_linesDataKey = "Data";

namespace {

// Reading helpers: each applies a value only when it is present and has the
// right form.
struct reader_t {
    const CIniFile& ini;

    void text(const char* sec, const char* key, bool (*set)(const char*)) const
    {
        std::string v;
        if (ini.Get(sec, key, v))
            set(v.c_str());
    }
    // Missing entries still call the setter, which then applies its default.
    void textAlways(const char* sec, const char* key, bool (*set)(const char*)) const
    {
        std::string v;
        ini.Get(sec, key, v);
        set(v.c_str());
    }
    void integer(const char* sec, const char* key, bool (*set)(int)) const
    {
        int v = 0;
        if (ini.Get(sec, key, v))
            set(v);
    }
    void real(const char* sec, const char* key, bool (*set)(double)) const
    {
        double v = 0.0;
        if (ini.Get(sec, key, v))
            set(v);
    }
    void flag(const char* sec, const char* key, bool (*set)(bool)) const
    {
        int v = 0;
        if (ini.Get(sec, key, v))
            set(v != 0);
    }
    void flag(const char* sec, const char* key, bool& field) const
    {
        int v = 0;
        if (ini.Get(sec, key, v))
            field = v != 0;
    }
    void color(const char* sec, const char* key, bool (*set)(const color4b_t&)) const
    {
        unsigned char b[4];
        if (ini.Get(sec, key, b, 4) == 4)
            set(color4b_t{b[0], b[1], b[2], b[3]});
    }
    void color(const char* sec, const char* key, color4b_t& field) const
    {
        unsigned char b[4];
        if (ini.Get(sec, key, b, 4) == 4)
            field = color4b_t{b[0], b[1], b[2], b[3]};
    }
    void rect(const char* sec, const char* key, SDL_Rect& field) const
    {
        int v[4];
        if (ini.Get(sec, key, v, 4) == 4)
            field = SDL_Rect{v[0], v[1], v[2], v[3]};
    }
};

void set_color(CIniFile& ini, const char* sec, const char* key, const color4b_t& c)
{
    const unsigned char b[4] = {c.r, c.g, c.b, c.a};
    ini.Set(sec, key, b, 4);
}

void set_rect(CIniFile& ini, const char* sec, const char* key, const SDL_Rect& r)
{
    const int v[4] = {r.x, r.y, r.w, r.h};
    ini.Set(sec, key, v, 4);
}

}  // namespace

// Applies every known entry of ini to the settings.
static void apply(const CIniFile& ini)
{
    const reader_t r{ini};
    r.text("User", "AppPath", var_set_user_app_path);
    r.textAlways("User", "DataPath", var_set_user_data_path);
    r.color("Plot", "Background", var_set_plot_bg_color);
    r.integer("Plot", "Padding", var_set_plot_padding);
    r.integer("Plot", "Projection", var_set_plot_projection);
    r.color("Latitude", "Color", var_set_lat_color);
    r.flag("Latitude", "Show", var_set_lat_show);
    r.color("Longitude", "Color", var_set_lon_color);
    r.flag("Longitude", "Show", var_set_lon_show);
    r.text("Lines", s_linesDataKey, var_set_lines_data);
    r.color("Lines", "Color", var_set_lines_color);
    r.flag("Lines", "Show", var_set_lines_show);
    r.textAlways("Object", "Data", var_set_obj_data);
    r.color("Object", "Color", var_set_obj_color);
    r.integer("Object", "Size", var_set_obj_size);
    r.color("Object Label", "Color", var_set_obj_label_color);
    r.integer("Object Label", "Show", var_set_obj_label_show);
    r.text("Object Label", "Font", var_set_obj_label_font);
    r.color("Path", "Color", var_set_path_color);
    r.integer("Path", "Orbits", var_set_path_orbits);
    r.integer("Path", "Show", var_set_path_show);
    r.integer("Path", "Size", var_set_path_size);
    r.integer("Info", "Show", var_set_info_show);
    r.integer("Info", "Pos", var_set_info_pos);
    r.color("Info Color", "Background", var_set_info_bg_color);
    r.color("Info Color", "Name", var_set_info_name_color);
    r.color("Info Color", "Label", var_set_info_label_color);
    r.color("Info Color", "Data", var_set_info_value_color);
    r.integer("Object Selected", "Data", var_set_sel_catnum);
    r.text("Window", "Font", var_set_win_font);
    r.flag("Window", "Max", g_var.win.max);
    r.rect("Window", "Rect", g_var.win.rect);
    r.color("Console", "Background", g_var.con.bg.color);
    r.color("Console", "Foreground", g_var.con.fg.color);
    r.text("Console", "Font", var_set_con_font);
    r.flag("Console", "Max", g_var.con.max);
    r.rect("Console", "Rect", g_var.con.rect);
    r.real("Observer", "Latitude", var_set_obs_lat);
    r.real("Observer", "Longitude", var_set_obs_lon);
    r.real("Observer", "Altitude", var_set_obs_alt);
    r.real("Observer", "MinElevation", var_set_obs_minel);
    r.integer("Observer", "Show", var_set_obs_show);
    r.color("Observer", "Color", var_set_obs_color);
    r.integer("Footprint", "Show", var_set_foot_show);
    r.color("Footprint", "Color", var_set_foot_color);
    r.integer("Night", "Show", var_set_night_show);
    r.color("Night", "Color", var_set_night_color);
}

bool var_save_file(const char* path)
{
    const var_t& v = g_var;
    CIniFile ini;
    ini.Set("App", "Base", app_base_path());
    ini.Set("App", "Pref", app_pref_path());
    ini.Set("User", "AppPath", v.user.app.path);
    ini.Set("User", "DataPath", v.user.data.path);
    set_color(ini, "Plot", "Background", v.plot.bg.color);
    ini.Set("Plot", "Padding", v.plot.padding);
    ini.Set("Plot", "Projection", v.plot.projection);
    set_color(ini, "Latitude", "Color", v.lat.color);
    ini.Set("Latitude", "Show", v.lat.show ? 1 : 0);
    set_color(ini, "Longitude", "Color", v.lon.color);
    ini.Set("Longitude", "Show", v.lon.show ? 1 : 0);
    ini.Set("Lines", s_linesDataKey, v.lines.data);
    set_color(ini, "Lines", "Color", v.lines.color);
    ini.Set("Lines", "Show", v.lines.show ? 1 : 0);
    ini.Set("Object", "Data", v.obj.data);
    set_color(ini, "Object", "Color", v.obj.color);
    ini.Set("Object", "Size", v.obj.size);
    set_color(ini, "Object Label", "Color", v.obj.label.color);
    ini.Set("Object Label", "Show", v.obj.label.show);
    ini.Set("Object Label", "Font", v.obj.label.font);
    set_color(ini, "Path", "Color", v.path.color);
    ini.Set("Path", "Orbits", v.path.orbits);
    ini.Set("Path", "Show", v.path.show);
    ini.Set("Path", "Size", v.path.size);
    ini.Set("Info", "Show", v.info.show ? 1 : 0);
    ini.Set("Info", "Pos", v.info.pos);
    set_color(ini, "Info Color", "Background", v.info.bg.color);
    set_color(ini, "Info Color", "Name", v.info.name.color);
    set_color(ini, "Info Color", "Label", v.info.label.color);
    set_color(ini, "Info Color", "Data", v.info.value.color);
    ini.Set("Object Selected", "Data", v.sel.catnum);
    ini.Set("Window", "Font", v.win.font);
    ini.Set("Window", "Max", v.win.max ? 1 : 0);
    set_rect(ini, "Window", "Rect", v.win.rect);
    set_color(ini, "Console", "Background", v.con.bg.color);
    set_color(ini, "Console", "Foreground", v.con.fg.color);
    ini.Set("Console", "Font", v.con.font);
    ini.Set("Console", "Max", v.con.max ? 1 : 0);
    set_rect(ini, "Console", "Rect", v.con.rect);
    ini.Set("Observer", "Latitude", v.obs.lat);
    ini.Set("Observer", "Longitude", v.obs.lon);
    ini.Set("Observer", "Altitude", v.obs.alt);
    ini.Set("Observer", "MinElevation", v.obs.minel);
    ini.Set("Observer", "Show", v.obs.show ? 1 : 0);
    set_color(ini, "Observer", "Color", v.obs.color);
    ini.Set("Footprint", "Show", v.foot.show ? 1 : 0);
    set_color(ini, "Footprint", "Color", v.foot.color);
    ini.Set("Night", "Show", v.night.show ? 1 : 0);
    set_color(ini, "Night", "Color", v.night.color);
    return ini.Save(path);
}

void var_load_file(const char* path)
{
    apply(CIniFile(path));
}

// Without a preference folder no file is read, but the data folder and the
// data manager file still get their defaults, as for a missing file.
void var_load()
{
    const char* path = app_ini_file_name();
    if (path[0] != '\0')
        var_load_file(path);
    else
        apply(CIniFile());
}

void var_save()
{
    const char* path = app_ini_file_name();
    if (path[0] != '\0')
        var_save_file(path);
}
