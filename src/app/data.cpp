#include "app/data.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/app_paths.h"
#include "map/ring_cut.h"
#include "objects/objects.h"
#include "observer/footprint.h"
#include "observer/sun.h"
#include "settings/vars.h"
#include "sgp4/SGP4.h"

CLatitudeLines g_latLines;
CLongitudeLines g_lonLines;
CPolylines2f g_coastlines;

CPolylines2f g_latLinesMP, g_lonLinesMP, g_coastlinesMP, g_opMP;
point2f_t* g_oePointsMP = nullptr;
float g_boundsMP[4] = {0, 0, 0, 0};

CPolylines2i g_latLinesS, g_lonLinesS, g_coastlinesS, g_opS;
point2i_t* g_oePtsS = nullptr;
SDL_Rect* g_orbRectsS = nullptr;
SDL_Rect* g_opRectsS = nullptr;
uint64_t g_opRectsCount = 0;
SDL_Rect g_rectS = {0, 0, 0, 0};
int32_t g_boundsS[4] = {0, 0, 0, 0};

point2f_t g_obsPoint = {0, 0}, g_obsPointMP = {0, 0};
point2i_t g_obsPointS = {0, 0};
selLook_t g_selLook = {};
CPolylines2f g_footprint, g_footprintMP;
CPolylines2i g_footprintS;
CNightShade g_night;
point2f_t g_sunPointMP = {0, 0};
point2i_t g_sunPointS = {0, 0};
libsgp4::DateTime g_nightTime;

void (*g_dataReselect)(int catnum) = nullptr;

namespace {

// Order in which the user steps through the projections.
const int s_cycle[] = {100, 102, 101, 103, 104, 300, 500, 501, 502, 503, 704, 700, 701, 702, 703};
constexpr int CYCLE_LEN = sizeof(s_cycle) / sizeof(s_cycle[0]);

mp_func_t s_mpf = mp_equirect;
unsigned s_objTicks = 0;
uint64_t s_oeCountMP = 0;        // entries of g_oePointsMP
uint64_t s_oeCountS = 0;         // entries of g_oePtsS and g_orbRectsS
uint64_t s_opRectsCap = 0;       // allocated entries of g_opRectsS
mp_func_t s_nightMpf = nullptr;  // the projection of g_night.projected, null when none

// Frees the plain arrays at exit when the program did not.
struct arraysOwner_t {
    ~arraysOwner_t()
    {
        delete[] g_oePointsMP;
        delete[] g_oePtsS;
        delete[] g_orbRectsS;
        delete[] g_opRectsS;
    }
} s_arraysOwner;

int cycle_index(int id)
{
    for (int i = 0; i < CYCLE_LEN; ++i)
        if (s_cycle[i] == id)
            return i;
    return -1;
}

int32_t clamp_pixel(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, -DATA_PIXEL_LIMIT, DATA_PIXEL_LIMIT));
}

// Truncates toward zero like a plain conversion, but only for values inside
// the pixel range: beyond it and infinities clamp, NaN goes to the low limit.
int32_t to_pixel(double v)
{
    if (std::isnan(v))
        return -DATA_PIXEL_LIMIT;
    if (v >= DATA_PIXEL_LIMIT)
        return DATA_PIXEL_LIMIT;
    if (v <= -DATA_PIXEL_LIMIT)
        return -DATA_PIXEL_LIMIT;
    return static_cast<int32_t>(v);
}

// The projection-to-pixel mapping, in float as the rest of the level; north
// up, so the top of the projected world lands at the top bound.
point2i_t map_point(const point2f_t& p)
{
    const float L = g_boundsMP[0], T = g_boundsMP[1], R = g_boundsMP[2], B = g_boundsMP[3];
    const int32_t l = g_boundsS[0], t = g_boundsS[1], r = g_boundsS[2], b = g_boundsS[3];
    float fx = (p.x - L) * static_cast<float>(r - l) / (R - L) + static_cast<float>(l);
    float fy = (p.y - T) * static_cast<float>(b - t) / (B - T) + static_cast<float>(t);
    return point2i_t{to_pixel(fx),
                     clamp_pixel(static_cast<int64_t>(t) + b - to_pixel(fy))};
}

void update_points(point2i_t* dst, const point2f_t* src, uint64_t n)
{
    for (uint64_t i = 0; i < n; ++i)
        dst[i] = map_point(src[i]);
}

void place_square(SDL_Rect& r, const point2i_t& p)
{
    r.x = p.x - (r.w >> 1);
    r.y = p.y - (r.h >> 1);
}

// Gives the screen polylines the structure of their projected twins.
void update_polylines(CPolylines2i& screen, const CPolylines2f& projected)
{
    screen.Alloc(projected.PointCount(), projected.PolylineCount());
    uint64_t start = 0;
    for (uint64_t i = 0; i < projected.PolylineCount(); ++i) {
        screen.Polylines()[i].count = projected.Polylines()[i].count;
        screen.Polylines()[i].first = screen.Points() + start;
        start += projected.Polylines()[i].count;
    }
}

void project(CPolylines2f& dst, const CPolylines2f& src)
{
    s_mpf(dst.Points(), src.Points(), std::min(dst.PointCount(), src.PointCount()));
}

void update_screen_points(CPolylines2i& dst, const CPolylines2f& src)
{
    update_points(dst.Points(), src.Points(), std::min(dst.PointCount(), src.PointCount()));
}

// Places every satellite square on its screen point; one that was never
// computed (or has no position entry) gets an empty square off-screen. The
// satellites lie scattered in memory: they are fetched well ahead.
void place_object_squares()
{
    const point2i_t off = {-DATA_PIXEL_LIMIT, -DATA_PIXEL_LIMIT};
    const std::vector<object_t*>& objs = g_objs.Owners();
    constexpr uint64_t kAhead = 16;
    for (uint64_t i = 0; i < s_oeCountS; ++i) {
        if (i + kAhead < objs.size())
            __builtin_prefetch(objs[i + kAhead]);
        SDL_Rect& r = g_orbRectsS[i];
        if (i < objs.size() && objs[i]->hasPos) {
            r.w = r.h = g_var.obj.size;
            place_square(r, g_oePtsS[i]);
        } else {
            g_oePtsS[i] = off;
            r = SDL_Rect{off.x, off.y, 0, 0};
        }
    }
}

void make_path_squares(uint64_t n)
{
    if (s_opRectsCap < n) {
        delete[] g_opRectsS;
        g_opRectsS = new SDL_Rect[n]();
        s_opRectsCap = n;
    }
    g_opRectsCount = n;
    for (uint64_t i = 0; i < n; ++i)
        g_opRectsS[i].w = g_opRectsS[i].h = g_var.path.size;
}

void place_path_squares()
{
    uint64_t n = std::min(g_opRectsCount, g_opMP.PointCount());
    for (uint64_t i = 0; i < n; ++i)
        place_square(g_opRectsS[i], map_point(g_opMP.Points()[i]));
}

constexpr double s_rad = M_PI / 180.0;
// Microseconds in a minute: the night shade follows the Sun minute by minute.
constexpr int64_t s_minute = 60000000;

observer_t settings_observer()
{
    return obs_make(g_var.obs.lat, g_var.obs.lon, g_var.obs.alt);
}

void update_raw_observer()
{
    g_obsPoint = {static_cast<float>(g_var.obs.lon * s_rad), static_cast<float>(g_var.obs.lat * s_rad)};
    g_selLook.valid = false;
    const object_t* o = g_var.sel.obj;
    if (!g_var.obs.show || !o)
        return;
    const libsgp4::DateTime t = obj_time(0);
    g_selLook.valid = obs_lookSat(settings_observer(), *o->sgp4, t, sun_position(t),
                                  &g_selLook.look, &g_selLook.sunlit);
}

void update_raw_footprint()
{
    const object_t* o = g_var.sel.obj;
    static point2f_t s_ring[DATA_FOOTPRINT_POINTS];
    if (g_var.foot.show && o && o->hasPos && o->pos &&
        obs_footprint(s_ring, DATA_FOOTPRINT_POINTS, o->pos->y, o->pos->x, o->altitude))
        ring_cut(g_footprint, s_ring, DATA_FOOTPRINT_POINTS);
    else
        g_footprint.Alloc(0, 0);
}

// The Sun of the current minute's start, turned Earth-fixed.
void update_raw_night()
{
    if (!g_var.night.show)
        return;
    const int64_t now = obj_time(0).Ticks();
    g_nightTime = libsgp4::DateTime(now - now % s_minute);
    double sun[3], unused[3];
    obs_toEarthFixed(sun_position(g_nightTime), libsgp4::Vector(), g_nightTime.ToGreenwichSiderealTime(),
                     sun, unused);
    const double r = std::sqrt(sun[0] * sun[0] + sun[1] * sun[1] + sun[2] * sun[2]);
    for (double& c : sun)
        c /= r;
    g_night.SetSun(sun);
}

bool night_due()
{
    return g_var.night.show &&
           (g_night.IsEmpty() || obj_time(0).Ticks() / s_minute != g_nightTime.Ticks() / s_minute);
}

// The rectangle of the whole plot view: the map's rectangle grown by the
// padding it keeps on every side (a Bottomley map reaches into it).
SDL_Rect plot_view_rect()
{
    return SDL_Rect{0, 0, std::max(0, 2 * g_rectS.x + g_rectS.w), std::max(0, 2 * g_rectS.y + g_rectS.h)};
}

void init_raw_data(int flags)
{
    char name[TEXT_CAP];
    if (flags & DATA_LAT_LINES)
        g_latLines.Set(g_var.lat.lines, g_var.lat.points);
    if (flags & DATA_LON_LINES)
        g_lonLines.Set(g_var.lon.lines, g_var.lon.points);
    if ((flags & DATA_COASTLINES) && make_support_file_name(name, g_var.lines.data))
        g_coastlines.Load(name);
    if ((flags & DATA_OBJECTS) && make_data_file_name(name, g_var.obj.data))
        g_objs.Load(name);
    if (flags & DATA_PATH) {
        // Built from nothing (at start-up), the path is drawn as path.show
        // says; later builds keep what the path key chose.
        if (g_path.IsEmpty())
            g_path.lines = g_var.path.show == 2;
        g_path.SetOrbits(g_var.path.orbits, g_var.path.points);
    }
}

void update_raw_data(int flags)
{
    if (flags & DATA_OBJECTS)
        g_objs.Update();
    if (flags & DATA_PATH)
        g_path.Update();
    if (flags & DATA_OBSERVER)
        update_raw_observer();
    if (flags & DATA_FOOTPRINT)
        update_raw_footprint();
    if (flags & DATA_NIGHT)
        update_raw_night();
}

void free_raw_data(int flags)
{
    if (flags & DATA_COASTLINES)
        g_coastlines.Free();
    if (flags & DATA_OBJECTS) {
        // The selection points into the catalogue, and what was computed
        // for it goes with it.
        g_var.sel.obj = nullptr;
        g_objs.Free();
        g_selLook.valid = false;
        g_footprint.Alloc(0, 0);
    }
    if (flags & DATA_PATH)
        g_path.Free();
    if (flags & DATA_FOOTPRINT)
        g_footprint.Free();
    if (flags & DATA_NIGHT) {
        g_night.Free();
        s_nightMpf = nullptr;
    }
}

void init_projection_data(int flags)
{
    update_projection();
    if (flags & DATA_LAT_LINES)
        g_latLinesMP.Copy(g_latLines);
    if (flags & DATA_LON_LINES)
        g_lonLinesMP.Copy(g_lonLines);
    if (flags & DATA_COASTLINES)
        g_coastlinesMP.Copy(g_coastlines);
    if (flags & DATA_OBJECTS) {
        delete[] g_oePointsMP;
        s_oeCountMP = g_objs.count;
        g_oePointsMP = s_oeCountMP ? new point2f_t[s_oeCountMP]() : nullptr;
    }
    if (flags & DATA_PATH)
        g_opMP.Copy(g_path);
}

void update_projection_data(int flags)
{
    if (flags & DATA_LAT_LINES)
        project(g_latLinesMP, g_latLines);
    if (flags & DATA_LON_LINES)
        project(g_lonLinesMP, g_lonLines);
    if (flags & DATA_COASTLINES)
        project(g_coastlinesMP, g_coastlines);
    if ((flags & DATA_OBJECTS) && g_objs.positions)
        s_mpf(g_oePointsMP, g_objs.positions, std::min(s_oeCountMP, g_objs.count));
    if ((flags & DATA_PATH) && g_var.sel.obj) {
        // The path's length and cuts change as it moves; room for a polyline
        // per point keeps the steps free of allocation.
        g_opMP.ReservePolylines(g_path.PointCount());
        g_opMP.Copy(g_path);
        project(g_opMP, g_path);
    }
    if (flags & DATA_OBSERVER)
        s_mpf(&g_obsPointMP, &g_obsPoint, 1);
    if ((flags & DATA_FOOTPRINT) && g_var.foot.show) {
        g_footprintMP.Copy(g_footprint);
        project(g_footprintMP, g_footprint);
    }
    if ((flags & DATA_NIGHT) && g_var.night.show && !g_night.IsEmpty()) {
        // The grid is fixed: only a new projection moves it.
        if (s_nightMpf != s_mpf) {
            s_mpf(g_night.projected.data(), g_night.geo.data(), g_night.geo.size());
            s_nightMpf = s_mpf;
        }
        s_mpf(&g_sunPointMP, &g_night.subsolar, 1);
    }
}

void free_projection_data(int flags)
{
    if (flags & DATA_OBJECTS) {
        delete[] g_oePointsMP;
        g_oePointsMP = nullptr;
        s_oeCountMP = 0;
    }
}

void init_screen_data(int flags)
{
    if (flags & DATA_LAT_LINES)
        update_polylines(g_latLinesS, g_latLinesMP);
    if (flags & DATA_LON_LINES)
        update_polylines(g_lonLinesS, g_lonLinesMP);
    if (flags & DATA_COASTLINES)
        update_polylines(g_coastlinesS, g_coastlinesMP);
    if (flags & DATA_OBJECTS) {
        delete[] g_oePtsS;
        delete[] g_orbRectsS;
        s_oeCountS = s_oeCountMP;
        g_oePtsS = s_oeCountS ? new point2i_t[s_oeCountS]() : nullptr;
        g_orbRectsS = s_oeCountS ? new SDL_Rect[s_oeCountS]() : nullptr;
        for (uint64_t i = 0; i < s_oeCountS; ++i)
            g_orbRectsS[i].w = g_orbRectsS[i].h = g_var.obj.size;
    }
    if (flags & DATA_PATH) {
        update_polylines(g_opS, g_opMP);
        make_path_squares(g_opMP.PointCount());
    }
}

void update_screen_data(int flags)
{
    if (flags & DATA_LAT_LINES)
        update_screen_points(g_latLinesS, g_latLinesMP);
    if (flags & DATA_LON_LINES)
        update_screen_points(g_lonLinesS, g_lonLinesMP);
    if (flags & DATA_COASTLINES)
        update_screen_points(g_coastlinesS, g_coastlinesMP);
    if ((flags & DATA_OBJECTS) && g_oePointsMP) {
        update_points(g_oePtsS, g_oePointsMP, std::min(s_oeCountS, s_oeCountMP));
        place_object_squares();
    }
    // An empty path empties its screen data too, so no earlier track stays drawn.
    if (flags & DATA_PATH) {
        if (g_path.lines) {
            g_opS.ReservePolylines(g_opMP.PointCount());
            update_polylines(g_opS, g_opMP);
            update_screen_points(g_opS, g_opMP);
        } else {
            if (g_opMP.PointCount() != g_opRectsCount)
                make_path_squares(g_opMP.PointCount());
            place_path_squares();
        }
    }
    if (flags & DATA_OBSERVER)
        g_obsPointS = map_point(g_obsPointMP);
    if ((flags & DATA_FOOTPRINT) && g_var.foot.show) {
        update_polylines(g_footprintS, g_footprintMP);
        update_screen_points(g_footprintS, g_footprintMP);
    }
    if ((flags & DATA_NIGHT) && g_var.night.show && !g_night.IsEmpty()) {
        update_points(g_night.screen.data(), g_night.projected.data(), g_night.projected.size());
        g_night.Rasterize(plot_view_rect(), DATA_PIXEL_LIMIT);
        g_sunPointS = map_point(g_sunPointMP);
    }
}

void free_screen_data(int flags)
{
    if (flags & DATA_OBJECTS) {
        delete[] g_oePtsS;
        delete[] g_orbRectsS;
        g_oePtsS = nullptr;
        g_orbRectsS = nullptr;
        s_oeCountS = 0;
    }
    if (flags & DATA_PATH) {
        delete[] g_opRectsS;
        g_opRectsS = nullptr;
        g_opRectsCount = s_opRectsCap = 0;
    }
}

// Bumped by every change of the datasets at any level.
uint64_t s_serial = 0;

}  // namespace

uint64_t data_serial()
{
    return s_serial;
}

void init_data(int flags)
{
    s_serial++;
    if (flags & DATA_RAW)
        init_raw_data(flags);
    if (flags & DATA_PROJECTION)
        init_projection_data(flags);
    if (flags & DATA_SCREEN)
        init_screen_data(flags);
}

void update_data(int flags)
{
    s_serial++;
    if (flags & DATA_RAW)
        update_raw_data(flags);
    if (flags & (DATA_RAW | DATA_PROJECTION))
        update_projection_data(flags);
    if (flags & (DATA_RAW | DATA_PROJECTION | DATA_SCREEN))
        update_screen_data(flags);
}

void free_data(int flags)
{
    s_serial++;
    if (flags & DATA_RAW)
        free_raw_data(flags);
    if (flags & DATA_PROJECTION)
        free_projection_data(flags);
    if (flags & DATA_SCREEN)
        free_screen_data(flags);
}

int tick_data(unsigned ms)
{
    int bits = 0;
    uint64_t sum = static_cast<uint64_t>(s_objTicks) + ms;
    if (sum > 999) {
        bits |= DATA_OBJECTS;
        s_objTicks = 0;
    } else {
        s_objTicks = static_cast<unsigned>(sum);
    }
    if (g_path.Tick(ms))
        bits |= DATA_PATH;
    // The observer layers follow the satellites' positions and the clock.
    if (bits & DATA_OBJECTS) {
        if (g_var.obs.show)
            bits |= DATA_OBSERVER;
        if (g_var.foot.show && g_var.sel.obj)
            bits |= DATA_FOOTPRINT;
        if (night_due())
            bits |= DATA_NIGHT;
    }
    if (bits)
        update_data(DATA_RAW | bits);
    return bits;
}

unsigned tick_data_objects_ms()
{
    return s_objTicks;
}

void update_projection()
{
    s_serial++;
    if (cycle_index(g_var.plot.projection) < 0)
        g_var.plot.projection = MP_EQUIRECT;
    s_mpf = map_projection_lanes(g_var.plot.projection);
    const point2f_t in[2] = {{static_cast<float>(M_PI), 0}, {0, static_cast<float>(M_PI / 2)}};
    point2f_t out[2];
    s_mpf(out, in, 2);
    const float x = out[0].x, y = out[1].y;
    g_boundsMP[0] = -x;
    g_boundsMP[1] = -y;
    g_boundsMP[2] = x;
    g_boundsMP[3] = y;
}

mp_func_t current_projection()
{
    return s_mpf;
}

void next_projection()
{
    int i = cycle_index(g_var.plot.projection);
    g_var.plot.projection = i < 0 ? s_cycle[0] : s_cycle[(i + 1) % CYCLE_LEN];
    update_projection();
}

void prev_projection()
{
    int i = cycle_index(g_var.plot.projection);
    g_var.plot.projection = i < 0 ? s_cycle[0] : s_cycle[(i + CYCLE_LEN - 1) % CYCLE_LEN];
    update_projection();
}

const char* projection_name()
{
    return map_projection_name(g_var.plot.projection);
}

void set_screen_rect(const SDL_Rect& rect)
{
    g_rectS = rect;
    update_screen_bounds();
}

void update_screen_bounds()
{
    s_serial++;
    const double sw = static_cast<double>(g_boundsMP[2] - g_boundsMP[0]);
    const double sh = static_cast<double>(g_boundsMP[3] - g_boundsMP[1]);
    double x = g_rectS.x, y = g_rectS.y, w = g_rectS.w, h = g_rectS.h;
    if (sw > 0 && sh > 0 && std::isfinite(sw) && std::isfinite(sh)) {
        double hh = w / sw * sh;
        if (hh > h) {
            double nw = sw * (h / sh);
            x = (w - nw) * 0.5 + x;
            w = nw;
        } else {
            y = (h - hh) * 0.5 + y;
            h = hh;
        }
    }
    g_boundsS[0] = to_pixel(x);
    g_boundsS[1] = to_pixel(y);
    g_boundsS[2] = to_pixel(x + w);
    g_boundsS[3] = to_pixel(y + h);
    update_screen_data(0xFF);
}

void update_screen_oe_size()
{
    s_serial++;
    if (g_orbRectsS)
        place_object_squares();
}

void update_screen_path_point_size()
{
    s_serial++;
    for (uint64_t i = 0; i < g_opRectsCount; ++i)
        g_opRectsS[i].w = g_opRectsS[i].h = g_var.path.size;
    place_path_squares();
}

void data_reload_objects()
{
    free_data(0xF000 | DATA_OBJECTS);
    init_data(0xF000 | DATA_OBJECTS);
    update_data(DATA_PROJECTION | DATA_OBJECTS);
}

namespace {

void hook_path_orbits()
{
    g_path.SetOrbits(g_var.path.orbits, g_var.path.points);
    update_data(DATA_PROJECTION | DATA_PATH);
}

void hook_lines_data()
{
    init_data(0xF000 | DATA_COASTLINES);
    update_data(DATA_PROJECTION | DATA_COASTLINES);
}

void hook_obj_data()
{
    data_reload_objects();
    if (g_dataReselect)
        g_dataReselect(g_var.sel.catnum);
}

void hook_observer()
{
    update_data(DATA_RAW | DATA_OBSERVER);
}

void hook_foot_show()
{
    update_data(DATA_RAW | DATA_FOOTPRINT);
}

void hook_night_show()
{
    update_data(DATA_RAW | DATA_NIGHT);
}

}  // namespace

void data_install_var_hooks()
{
    g_varHooks.objSize = update_screen_oe_size;
    g_varHooks.pathSize = update_screen_path_point_size;
    g_varHooks.pathOrbits = hook_path_orbits;
    g_varHooks.linesData = hook_lines_data;
    g_varHooks.objData = hook_obj_data;
    g_varHooks.observer = hook_observer;
    g_varHooks.footShow = hook_foot_show;
    g_varHooks.nightShow = hook_night_show;
}
