#include "settings/vars.h"

#include <SDL_video.h>

#include <cstring>

#include "app/app_paths.h"
#include "support/fsys.h"
#include "support/str.h"

var_t g_var;
varHooks_t g_varHooks = {};

static const varName_t s_vars[] = {
    {VAR_APP_BASE, "app.base"},
    {VAR_APP_PREF, "app.pref"},
    {VAR_CON_BG_COLOR, "con.bg.color"},
    {VAR_CON_FG_COLOR, "con.fg.color"},
    {VAR_CON_FONT, "con.font"},
    {VAR_INFO_BG_COLOR, "info.bg.color"},
    {VAR_INFO_LABEL_COLOR, "info.label.color"},
    {VAR_INFO_NAME_COLOR, "info.name.color"},
    {VAR_INFO_POS, "info.pos"},
    {VAR_INFO_SHOW, "info.show"},
    {VAR_INFO_VALUE_COLOR, "info.value.color"},
    {VAR_LAT_COLOR, "lat.color"},
    {VAR_LAT_SHOW, "lat.show"},
    {VAR_LINES_COLOR, "lines.color"},
    {VAR_LINES_DATA, "lines.data"},
    {VAR_LINES_SHOW, "lines.show"},
    {VAR_LON_COLOR, "lon.color"},
    {VAR_LON_SHOW, "lon.show"},
    {VAR_OBJ_COLOR, "obj.color"},
    {VAR_OBJ_DATA, "obj.data"},
    {VAR_OBJ_LABEL_COLOR, "obj.label.color"},
    {VAR_OBJ_LABEL_FONT, "obj.label.font"},
    {VAR_OBJ_SIZE, "obj.size"},
    {VAR_PATH_COLOR, "path.color"},
    {VAR_PATH_ORBITS, "path.orbits"},
    {VAR_PATH_SIZE, "path.size"},
    {VAR_PLOT_BG_COLOR, "plot.bg.color"},
    {VAR_PLOT_PADDING, "plot.padding"},
    {VAR_USER_APP_PATH, "user.app.path"},
    {VAR_USER_DATA_PATH, "user.data.path"},
    {VAR_WIN_FONT, "win.font"},
    {VAR_FOOT_COLOR, "foot.color"},
    {VAR_FOOT_SHOW, "foot.show"},
    {VAR_NIGHT_COLOR, "night.color"},
    {VAR_NIGHT_SHOW, "night.show"},
    {VAR_OBS_ALT, "obs.alt"},
    {VAR_OBS_COLOR, "obs.color"},
    {VAR_OBS_LAT, "obs.lat"},
    {VAR_OBS_LON, "obs.lon"},
    {VAR_OBS_MINEL, "obs.minel"},
    {VAR_OBS_SHOW, "obs.show"},
    {0, nullptr},
};

const varName_t* var_table()
{
    return s_vars;
}

int var_find(const char* name)
{
    for (const varName_t* v = s_vars; v->name; ++v)
        if (std::strcmp(v->name, name) == 0)
            return v->id;
    return 0;
}

void var_reset()
{
    constexpr int centred = SDL_WINDOWPOS_CENTERED;
    std::memset(&g_var, 0, sizeof g_var);
    g_var.plot.bg.color = {0, 0, 0, 255};
    g_var.plot.padding = 10;
    g_var.plot.projection = 100;
    g_var.lat = {19, 361, {0, 0, 255, 255}, true};
    g_var.lon = {37, 181, {0, 0, 255, 255}, true};
    str_copy(g_var.lines.data, "world.dat", TEXT_CAP);
    g_var.lines.color = {0, 192, 64, 255};
    g_var.lines.show = true;
    g_var.obj.size = 3;
    g_var.obj.color = {255, 0, 0, 255};
    g_var.obj.label.color = {255, 255, 255, 255};
    g_var.obj.label.show = 2;
    g_var.path = {1, 90, 2, 3, {255, 255, 0, 160}};
    g_var.info.show = true;
    g_var.info.pos = 0;
    g_var.info.bg.color = {24, 24, 24, 255};
    g_var.info.name.color = {255, 255, 255, 255};
    g_var.info.label.color = {0, 170, 170, 255};
    g_var.info.value.color = {255, 255, 85, 255};
    g_var.win.rect = {centred, centred, 800, 600};
    g_var.con.bg.color = {0, 0, 0, 255};
    g_var.con.fg.color = {192, 192, 192, 255};
    g_var.con.rect = {centred, centred, 800, 600};
    g_var.obs.minel = 10.0;
    g_var.obs.color = {255, 0, 255, 255};
    g_var.foot.color = {0, 255, 255, 255};
    g_var.night.color = {0, 0, 0, 128};
}

// Defaults are in place before main runs.
[[maybe_unused]] static const bool s_defaultsSet = (var_reset(), true);

// Colour fields by id.
static color4b_t* color_field(int id)
{
    switch (id) {
    case VAR_CON_BG_COLOR: return &g_var.con.bg.color;
    case VAR_CON_FG_COLOR: return &g_var.con.fg.color;
    case VAR_INFO_BG_COLOR: return &g_var.info.bg.color;
    case VAR_INFO_LABEL_COLOR: return &g_var.info.label.color;
    case VAR_INFO_NAME_COLOR: return &g_var.info.name.color;
    case VAR_INFO_VALUE_COLOR: return &g_var.info.value.color;
    case VAR_PLOT_BG_COLOR: return &g_var.plot.bg.color;
    case VAR_LAT_COLOR: return &g_var.lat.color;
    case VAR_LON_COLOR: return &g_var.lon.color;
    case VAR_LINES_COLOR: return &g_var.lines.color;
    case VAR_OBJ_COLOR: return &g_var.obj.color;
    case VAR_OBJ_LABEL_COLOR: return &g_var.obj.label.color;
    case VAR_PATH_COLOR: return &g_var.path.color;
    case VAR_OBS_COLOR: return &g_var.obs.color;
    case VAR_FOOT_COLOR: return &g_var.foot.color;
    case VAR_NIGHT_COLOR: return &g_var.night.color;
    default: return nullptr;
    }
}

bool var_set_con_bg_color(const color4b_t& c) { g_var.con.bg.color = c; return true; }
bool var_set_con_fg_color(const color4b_t& c) { g_var.con.fg.color = c; return true; }
bool var_set_info_bg_color(const color4b_t& c) { g_var.info.bg.color = c; return true; }
bool var_set_info_label_color(const color4b_t& c) { g_var.info.label.color = c; return true; }
bool var_set_info_name_color(const color4b_t& c) { g_var.info.name.color = c; return true; }
bool var_set_info_value_color(const color4b_t& c) { g_var.info.value.color = c; return true; }
bool var_set_lat_color(const color4b_t& c) { g_var.lat.color = c; return true; }
bool var_set_lon_color(const color4b_t& c) { g_var.lon.color = c; return true; }
bool var_set_lines_color(const color4b_t& c) { g_var.lines.color = c; return true; }
bool var_set_obj_color(const color4b_t& c) { g_var.obj.color = c; return true; }
bool var_set_obj_label_color(const color4b_t& c) { g_var.obj.label.color = c; return true; }
bool var_set_path_color(const color4b_t& c) { g_var.path.color = c; return true; }
bool var_set_plot_bg_color(const color4b_t& c) { g_var.plot.bg.color = c; return true; }
bool var_set_obs_color(const color4b_t& c) { g_var.obs.color = c; return true; }
bool var_set_foot_color(const color4b_t& c) { g_var.foot.color = c; return true; }
bool var_set_night_color(const color4b_t& c) { g_var.night.color = c; return true; }

bool var_set_lat_show(bool v) { g_var.lat.show = v; return true; }
bool var_set_lon_show(bool v) { g_var.lon.show = v; return true; }
bool var_set_lines_show(bool v) { g_var.lines.show = v; return true; }
bool var_set_info_show(int v) { g_var.info.show = v != 0; return true; }

// Range checks compare unsigned where negatives must be refused as well.
static bool in_range(int v, unsigned hi) { return static_cast<unsigned>(v) <= hi; }

bool var_set_info_pos(int v)
{
    if (!in_range(v, 3))
        return false;
    g_var.info.pos = v;
    return true;
}

bool var_set_obj_label_show(int v)
{
    if (!in_range(v, 2))
        return false;
    g_var.obj.label.show = v;
    return true;
}

bool var_set_path_show(int v)
{
    if (!in_range(v, 2))
        return false;
    g_var.path.show = static_cast<uint8_t>(v);
    return true;
}

bool var_set_obj_size(int v)
{
    if (v < 1 || v > 15)
        return false;
    g_var.obj.size = v;
    return true;
}

bool var_set_path_size(int v)
{
    if (v < 1 || v > 15)
        return false;
    g_var.path.size = static_cast<uint8_t>(v);
    return true;
}

bool var_set_path_orbits(int v)
{
    if (v < 1 || v > 8)
        return false;
    g_var.path.orbits = static_cast<uint8_t>(v);
    return true;
}

bool var_set_plot_padding(int v)
{
    if (!in_range(v, 200))
        return false;
    g_var.plot.padding = static_cast<uint8_t>(v);
    return true;
}

static bool set_flag(bool& field, int v)
{
    if (!in_range(v, 1))
        return false;
    field = v != 0;
    return true;
}

bool var_set_obs_show(int v) { return set_flag(g_var.obs.show, v); }
bool var_set_foot_show(int v) { return set_flag(g_var.foot.show, v); }
bool var_set_night_show(int v) { return set_flag(g_var.night.show, v); }

// NaN fails both comparisons and is refused with the infinities.
static bool set_real(double& field, double v, double lo, double hi)
{
    if (!(v >= lo && v <= hi))
        return false;
    field = v + 0.0;  // -0 is kept as 0
    return true;
}

bool var_set_obs_lat(double v) { return set_real(g_var.obs.lat, v, -90.0, 90.0); }
bool var_set_obs_lon(double v) { return set_real(g_var.obs.lon, v, -180.0, 180.0); }
bool var_set_obs_alt(double v) { return set_real(g_var.obs.alt, v, -500.0, 10000.0); }
bool var_set_obs_minel(double v) { return set_real(g_var.obs.minel, v, -5.0, 90.0); }

bool var_set_plot_projection(int v) { g_var.plot.projection = v; return true; }
bool var_set_sel_catnum(int v) { g_var.sel.catnum = v; return true; }
bool var_set_sel_obj(object_t* o) { g_var.sel.obj = o; return true; }

bool var_set_con_font(const char* s) { str_copy(g_var.con.font, s, TEXT_CAP); return true; }
bool var_set_lines_data(const char* s) { str_copy(g_var.lines.data, s, TEXT_CAP); return true; }
bool var_set_obj_label_font(const char* s) { str_copy(g_var.obj.label.font, s, TEXT_CAP); return true; }
bool var_set_win_font(const char* s) { str_copy(g_var.win.font, s, TEXT_CAP); return true; }

void set_fpath(char* field, const char* value)
{
    str_copy(field, value, TEXT_CAP);
    size_t n = std::strlen(field);
    if (n == 0 || field[n - 1] == '/')
        return;
    if (n >= TEXT_CAP - 1)
        n = TEXT_CAP - 2;
    field[n] = '/';
    field[n + 1] = '\0';
}

bool var_set_user_app_path(const char* s)
{
    set_fpath(g_var.user.app.path, s);
    return true;
}

bool var_set_user_data_path(const char* s)
{
    char scratch[TEXT_CAP];
    str_copy(scratch, s, TEXT_CAP);
    str_trim(scratch);
    if (scratch[0] == '\0')
        fsys_getDocumentsPath(scratch, TEXT_CAP);
    set_fpath(g_var.user.data.path, scratch);
    return true;
}

bool var_set_obj_data(const char* s)
{
    char scratch[TEXT_CAP];
    str_copy(scratch, s, TEXT_CAP);
    str_trim(scratch);
    if (scratch[0] == '\0')
        str_copy(scratch, "datamgr.txt", TEXT_CAP);
    str_copy(g_var.obj.data, scratch, TEXT_CAP);
    return true;
}

static void call(void (*hook)())
{
    if (hook)
        hook();
}

// The result of a typed setter; when it stored, the hook runs.
static bool set_then(bool stored, void (*hook)())
{
    if (stored)
        call(hook);
    return stored;
}

bool var_set_color(int id, const color4b_t& value)
{
    if (color4b_t* f = color_field(id))
        *f = value;
    return true;
}

bool var_set_int(int id, int value)
{
    switch (id) {
    case VAR_INFO_POS:
        if (!var_set_info_pos(value))
            return false;
        if (g_varHooks.infoPos)
            g_varHooks.infoPos(value);
        return true;
    case VAR_INFO_SHOW:
        var_set_info_show(value);
        if (g_varHooks.infoShow)
            g_varHooks.infoShow(g_var.info.show);
        return true;
    case VAR_PLOT_PADDING:
        if (!var_set_plot_padding(value))
            return false;
        call(g_varHooks.plotPadding);
        return true;
    case VAR_LAT_SHOW: return var_set_lat_show(value != 0);
    case VAR_LON_SHOW: return var_set_lon_show(value != 0);
    case VAR_LINES_SHOW: return var_set_lines_show(value != 0);
    case VAR_OBJ_SIZE:
        if (!var_set_obj_size(value))
            return false;
        call(g_varHooks.objSize);
        return true;
    case VAR_PATH_ORBITS:
        if (!var_set_path_orbits(value))
            return false;
        call(g_varHooks.pathOrbits);
        return true;
    case VAR_PATH_SIZE:
        if (!var_set_path_size(value))
            return false;
        call(g_varHooks.pathSize);
        return true;
    case VAR_OBS_SHOW: return set_then(var_set_obs_show(value), g_varHooks.observer);
    case VAR_FOOT_SHOW: return set_then(var_set_foot_show(value), g_varHooks.footShow);
    case VAR_NIGHT_SHOW: return set_then(var_set_night_show(value), g_varHooks.nightShow);
    default:
        // Unnamed ids and ids outside the integer range are ignored.
        return true;
    }
}

bool var_set_str(int id, const char* value)
{
    switch (id) {
    case VAR_CON_FONT:
        var_set_con_font(value);
        call(g_varHooks.conFont);
        break;
    case VAR_LINES_DATA:
        var_set_lines_data(value);
        call(g_varHooks.linesData);
        break;
    case VAR_OBJ_DATA:
        var_set_obj_data(value);
        // The selection points into the catalogue that is about to be freed.
        g_var.sel.obj = nullptr;
        call(g_varHooks.objData);
        break;
    case VAR_OBJ_LABEL_FONT:
        var_set_obj_label_font(value);
        call(g_varHooks.objLabelFont);
        break;
    case VAR_USER_APP_PATH: var_set_user_app_path(value); break;
    case VAR_USER_DATA_PATH: var_set_user_data_path(value); break;
    case VAR_WIN_FONT:
        var_set_win_font(value);
        call(g_varHooks.winFont);
        break;
    default:
        break;
    }
    return true;
}

bool var_set_real(int id, double value)
{
    switch (id) {
    case VAR_OBS_LAT: return set_then(var_set_obs_lat(value), g_varHooks.observer);
    case VAR_OBS_LON: return set_then(var_set_obs_lon(value), g_varHooks.observer);
    case VAR_OBS_ALT: return set_then(var_set_obs_alt(value), g_varHooks.observer);
    // Only pass searches read it.
    case VAR_OBS_MINEL: return var_set_obs_minel(value);
    default: return true;
    }
}

bool var_get_color(color4b_t& out, int id)
{
    const color4b_t* f = color_field(id);
    if (!f)
        return false;
    out = *f;
    return true;
}

bool var_get_int(int& out, int id)
{
    switch (id) {
    case VAR_INFO_POS: out = g_var.info.pos; return true;
    case VAR_INFO_SHOW: out = g_var.info.show ? 1 : 0; return true;
    case VAR_PLOT_PADDING: out = g_var.plot.padding; return true;
    case VAR_PLOT_PROJECTION: out = g_var.plot.projection; return true;
    case VAR_LAT_LINES: out = static_cast<int>(g_var.lat.lines & 0xFFFFFFFFu); return true;
    case VAR_LAT_POINTS: out = static_cast<int>(g_var.lat.points & 0xFFFFFFFFu); return true;
    case VAR_LAT_SHOW: out = g_var.lat.show ? 1 : 0; return true;
    case VAR_LON_LINES: out = static_cast<int>(g_var.lon.lines & 0xFFFFFFFFu); return true;
    case VAR_LON_POINTS: out = static_cast<int>(g_var.lon.points & 0xFFFFFFFFu); return true;
    case VAR_LON_SHOW: out = g_var.lon.show ? 1 : 0; return true;
    case VAR_LINES_SHOW: out = g_var.lines.show ? 1 : 0; return true;
    case VAR_OBJ_LABEL_SHOW: out = g_var.obj.label.show; return true;
    case VAR_OBJ_SIZE: out = g_var.obj.size; return true;
    case VAR_PATH_ORBITS: out = g_var.path.orbits; return true;
    case VAR_PATH_POINTS: out = g_var.path.points; return true;
    case VAR_PATH_SHOW: out = g_var.path.show; return true;
    case VAR_PATH_SIZE: out = g_var.path.size; return true;
    case VAR_OBS_SHOW: out = g_var.obs.show ? 1 : 0; return true;
    case VAR_FOOT_SHOW: out = g_var.foot.show ? 1 : 0; return true;
    case VAR_NIGHT_SHOW: out = g_var.night.show ? 1 : 0; return true;
    default: return false;
    }
}

const char* var_get_str(int id)
{
    switch (id) {
    case VAR_APP_BASE: return app_base_path();
    case VAR_APP_PREF: return app_pref_path();
    case VAR_CON_FONT: return g_var.con.font;
    case VAR_LINES_DATA: return g_var.lines.data;
    case VAR_OBJ_DATA: return g_var.obj.data;
    case VAR_OBJ_LABEL_FONT: return g_var.obj.label.font;
    case VAR_USER_APP_PATH: return g_var.user.app.path;
    case VAR_USER_DATA_PATH: return g_var.user.data.path;
    case VAR_WIN_FONT: return g_var.win.font;
    default: return nullptr;
    }
}

bool var_get_real(double& out, int id)
{
    switch (id) {
    case VAR_OBS_LAT: out = g_var.obs.lat; return true;
    case VAR_OBS_LON: out = g_var.obs.lon; return true;
    case VAR_OBS_ALT: out = g_var.obs.alt; return true;
    case VAR_OBS_MINEL: out = g_var.obs.minel; return true;
    default: return false;
    }
}
