// The settings record g_var, its variable table and its setters and getters.
#pragma once
#include <SDL_rect.h>

#include <cstdint>

#include "support/types.h"

struct object_t;

// Fields in declaration order; the nested names spell the variable names
// (g_var.plot.bg.color is "plot.bg.color").
struct var_t {
    struct {
        struct { char path[TEXT_CAP]; } app, data;
    } user;
    struct {
        struct { color4b_t color; } bg;
        uint8_t padding;
        int32_t projection;
    } plot;
    struct {
        uint64_t lines, points;
        color4b_t color;
        bool show;
    } lat, lon;
    struct {
        char data[TEXT_CAP];
        color4b_t color;
        bool show;
    } lines;
    struct {
        char data[TEXT_CAP];
        int32_t size;
        color4b_t color;
        struct {
            color4b_t color;
            int32_t show;  // 0 none, 1 every satellite, 2 the selected one
            char font[TEXT_CAP];
        } label;
    } obj;
    struct {
        uint8_t orbits;
        uint16_t points;
        uint8_t show;  // 0 hidden, 1 squares, 2 lines
        uint8_t size;
        color4b_t color;
    } path;
    struct {
        bool show;
        int32_t pos;  // 0 top, 1 right, 2 bottom, 3 left
        struct { color4b_t color; } bg, name, label, value;
    } info;
    struct {
        int32_t catnum;
        object_t* obj;
    } sel;
    struct {
        char font[TEXT_CAP];
        bool max;
        SDL_Rect rect;
    } win;
    struct {
        struct { color4b_t color; } bg, fg;
        char font[TEXT_CAP];
        bool max;
        SDL_Rect rect;
    } con;
    struct {
        double lat, lon;  // geodetic, degrees north and east
        double alt;       // metres above the ellipsoid
        double minel;     // least elevation of a pass, degrees
        bool show;
        color4b_t color;
    } obs;
    struct {
        bool show;
        color4b_t color;
    } foot, night;
};

extern var_t g_var;

// Puts every field back to its default (start-up state).
void var_reset();

// Variable ids: 2 to 14 and 50 to 52 colours, 17 to 33 and 53 to 55
// integers, 40 to 48 texts, 56 to 59 reals.
enum varId {
    VAR_CON_BG_COLOR = 2,
    VAR_CON_FG_COLOR,
    VAR_INFO_BG_COLOR,
    VAR_INFO_LABEL_COLOR,
    VAR_INFO_NAME_COLOR,
    VAR_INFO_VALUE_COLOR,
    VAR_PLOT_BG_COLOR,
    VAR_LAT_COLOR,
    VAR_LON_COLOR,
    VAR_LINES_COLOR,
    VAR_OBJ_COLOR,
    VAR_OBJ_LABEL_COLOR,
    VAR_PATH_COLOR,  // 14
    VAR_INFO_POS = 17,
    VAR_INFO_SHOW,
    VAR_PLOT_PADDING,
    VAR_PLOT_PROJECTION,
    VAR_LAT_LINES,
    VAR_LAT_POINTS,
    VAR_LAT_SHOW,
    VAR_LON_LINES,
    VAR_LON_POINTS,
    VAR_LON_SHOW,
    VAR_LINES_SHOW,
    VAR_OBJ_LABEL_SHOW,
    VAR_OBJ_SIZE,
    VAR_PATH_ORBITS,
    VAR_PATH_POINTS,
    VAR_PATH_SHOW,
    VAR_PATH_SIZE,  // 33
    VAR_APP_BASE = 40,
    VAR_APP_PREF,
    VAR_CON_FONT,
    VAR_LINES_DATA,
    VAR_OBJ_DATA,
    VAR_OBJ_LABEL_FONT,
    VAR_USER_APP_PATH,
    VAR_USER_DATA_PATH,
    VAR_WIN_FONT,  // 48
    VAR_OBS_COLOR = 50,
    VAR_FOOT_COLOR,
    VAR_NIGHT_COLOR,
    VAR_OBS_SHOW,
    VAR_FOOT_SHOW,
    VAR_NIGHT_SHOW,
    VAR_OBS_LAT,
    VAR_OBS_LON,
    VAR_OBS_ALT,
    VAR_OBS_MINEL,  // 59
};

inline bool var_is_color(int id) { return (id >= 2 && id <= 14) || (id >= 50 && id <= 52); }
inline bool var_is_int(int id) { return (id >= 17 && id <= 33) || (id >= 53 && id <= 55); }
inline bool var_is_str(int id) { return id >= 40 && id <= 48; }
inline bool var_is_real(int id) { return id >= 56 && id <= 59; }

struct varName_t {
    int id;
    const char* name;
};
// The named variables, ended by {0, nullptr}: the 31 of the map, console
// and panel sorted by name, then the 10 of the observer layers sorted by name.
const varName_t* var_table();
// Id of a named variable, 0 when the name is not in the table.
int var_find(const char* name);

// Typed setters: false when the value is refused (the field keeps its value).
bool var_set_con_bg_color(const color4b_t& c);
bool var_set_con_fg_color(const color4b_t& c);
bool var_set_info_bg_color(const color4b_t& c);
bool var_set_info_label_color(const color4b_t& c);
bool var_set_info_name_color(const color4b_t& c);
bool var_set_info_value_color(const color4b_t& c);
bool var_set_lat_color(const color4b_t& c);
bool var_set_lon_color(const color4b_t& c);
bool var_set_lines_color(const color4b_t& c);
bool var_set_obj_color(const color4b_t& c);
bool var_set_obj_label_color(const color4b_t& c);
bool var_set_path_color(const color4b_t& c);
bool var_set_plot_bg_color(const color4b_t& c);
bool var_set_lat_show(bool v);
bool var_set_lon_show(bool v);
bool var_set_lines_show(bool v);
bool var_set_info_show(int v);
bool var_set_info_pos(int v);
bool var_set_obj_label_show(int v);
bool var_set_path_show(int v);
bool var_set_obj_size(int v);
bool var_set_path_size(int v);
bool var_set_path_orbits(int v);
bool var_set_plot_padding(int v);
bool var_set_plot_projection(int v);
bool var_set_sel_catnum(int v);
bool var_set_sel_obj(object_t* o);
bool var_set_con_font(const char* s);
bool var_set_lines_data(const char* s);
bool var_set_obj_label_font(const char* s);
bool var_set_win_font(const char* s);
bool var_set_user_app_path(const char* s);
bool var_set_user_data_path(const char* s);
bool var_set_obj_data(const char* s);
bool var_set_obs_color(const color4b_t& c);
bool var_set_foot_color(const color4b_t& c);
bool var_set_night_color(const color4b_t& c);
// The three flags take 0 or 1 only.
bool var_set_obs_show(int v);
bool var_set_foot_show(int v);
bool var_set_night_show(int v);
// Finite values within [-90, 90], [-180, 180], [-500, 10000] and [-5, 90].
bool var_set_obs_lat(double v);
bool var_set_obs_lon(double v);
bool var_set_obs_alt(double v);
bool var_set_obs_minel(double v);

// Copies at most 1024 characters into a TEXT_CAP field and appends '/' when
// the result is not empty and lacks one (dropping the last character when the
// field is full, so the terminator always stays in place).
void set_fpath(char* field, const char* value);

// Generic setters by id, used by the console's set command: they validate
// like the typed setters, store, and then bring the program up to date
// through g_varHooks.
bool var_set_color(int id, const color4b_t& value);
bool var_set_int(int id, int value);
bool var_set_str(int id, const char* value);
bool var_set_real(int id, double value);

bool var_get_color(color4b_t& out, int id);
bool var_get_int(int& out, int id);
const char* var_get_str(int id);
bool var_get_real(double& out, int id);

// What a generic setter does to the rest of the program after storing. Each
// entry is filled by the subsystem that owns the effect; a null entry does
// nothing.
struct varHooks_t {
    void (*infoPos)(int pos);       // info panel orientation and layout
    void (*infoShow)(bool show);    // info panel shown or hidden, layout
    void (*plotPadding)();          // plot view screen rectangle
    void (*objSize)();              // satellite squares resized
    void (*pathOrbits)();           // orbit path rebuilt for path.orbits
    void (*pathSize)();             // path squares resized
    void (*conFont)();              // console font reloaded
    void (*linesData)();            // coastlines reloaded
    void (*objData)();              // catalogue reloaded, selection restored
    void (*objLabelFont)();         // label font reloaded
    void (*winFont)();              // window font reloaded, layout
    void (*observer)();             // observer's point and look angles recomputed
    void (*footShow)();             // footprint computed or dropped
    void (*nightShow)();            // night shade computed or dropped
};
extern varHooks_t g_varHooks;
