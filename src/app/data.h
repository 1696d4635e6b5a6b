// The data pipeline: raw, projected and screen levels of every dataset,
// driven by bit masks of stages and datasets.
#pragma once
#include <SDL_rect.h>

#include <cstdint>

#include "map/grid_lines.h"
#include "map/night_shade.h"
#include "map/object_path.h"
#include "map/polylines.h"
#include "map/projections.h"
#include "observer/observer.h"
#include "sgp4/DateTime.h"

enum dataFlags {
    DATA_LAT_LINES = 0x0001,
    DATA_LON_LINES = 0x0002,
    DATA_COASTLINES = 0x0004,
    DATA_OBJECTS = 0x0008,
    DATA_PATH = 0x0010,
    // The layers of the observer settings; each is computed only while its
    // show setting is on.
    DATA_OBSERVER = 0x0020,   // the observer's point, the selected satellite seen from it
    DATA_FOOTPRINT = 0x0040,  // the selected satellite's footprint
    DATA_NIGHT = 0x0080,      // the night shade and the sub-solar point
    DATA_RAW = 0x1000,
    DATA_PROJECTION = 0x2000,
    DATA_SCREEN = 0x4000,
};

// Screen coordinates are kept within +-DATA_PIXEL_LIMIT: a projected value
// that maps beyond it, or is infinite, is clamped to it, and a NaN is placed
// at the limit (x at -DATA_PIXEL_LIMIT, y at +DATA_PIXEL_LIMIT), so no value
// is ever converted to int out of range.
constexpr int32_t DATA_PIXEL_LIMIT = 1 << 20;

// Raw level (x = longitude, y = latitude, radians). The satellites are
// g_objs (objects/objects.h), the orbit path g_path (map/object_path.h).
extern CLatitudeLines g_latLines;
extern CLongitudeLines g_lonLines;
extern CPolylines2f g_coastlines;

// Projection level: the current projection's units.
extern CPolylines2f g_latLinesMP, g_lonLinesMP, g_coastlinesMP, g_opMP;
extern point2f_t* g_oePointsMP;  // one per satellite, in catalogue order
extern float g_boundsMP[4];      // left, top, right, bottom; symmetric

// Screen level: pixels in plot-view coordinates. A satellite whose position
// was never computed (object_t::hasPos false) gets the point
// (-DATA_PIXEL_LIMIT, -DATA_PIXEL_LIMIT) and an empty square (w = h = 0) at
// that point, so it is neither drawn nor found near any on-screen point.
extern CPolylines2i g_latLinesS, g_lonLinesS, g_coastlinesS, g_opS;
extern point2i_t* g_oePtsS;    // one per satellite
extern SDL_Rect* g_orbRectsS;  // one square per satellite
extern SDL_Rect* g_opRectsS;   // one square per path point (g_opMP)
extern uint64_t g_opRectsCount;
extern SDL_Rect g_rectS;       // the rectangle the map is fitted into
extern int32_t g_boundsS[4];   // left, top, right, bottom of the fitted map

// The observer (obs.lat, obs.lon) at every level, and the selected satellite
// seen from it at the last objects update or selection while obs.show is on.
struct selLook_t {
    bool valid;  // false without obs.show, a selection, or a position now
    lookAngles_t look;
    bool sunlit;
};
extern point2f_t g_obsPoint, g_obsPointMP;
extern point2i_t g_obsPointS;
extern selLook_t g_selLook;
// The selected satellite's footprint, cut at the map's edge, while
// foot.show is on; empty otherwise.
extern CPolylines2f g_footprint, g_footprintMP;
extern CPolylines2i g_footprintS;
// The night shade while night.show is on: its grid at the three levels,
// the spans to shade, the sub-solar point, and the instant of the Sun it
// shows (renewed at the first objects update of each minute).
extern CNightShade g_night;
extern point2f_t g_sunPointMP;
extern point2i_t g_sunPointS;
extern libsgp4::DateTime g_nightTime;
// Points in the footprint ring.
constexpr size_t DATA_FOOTPRINT_POINTS = 360;

void init_data(int flags);
void update_data(int flags);
void free_data(int flags);
// Counts the changes of the datasets at any level (init, update, free, new
// projection or screen fit): a window whose frame was drawn at another count
// shows stale data.
uint64_t data_serial();
// Time-driven refresh; returns the dataset bits it updated.
int tick_data(unsigned ms);
// Milliseconds gathered towards the next once-a-second objects update.
unsigned tick_data_objects_ms();

// Steps plot.projection through the selection cycle and sets it up.
void next_projection();
void prev_projection();
const char* projection_name();
// Makes plot.projection valid (100 when it is not in the cycle), sets the
// projection function and g_boundsMP.
void update_projection();
mp_func_t current_projection();

void set_screen_rect(const SDL_Rect& rect);
// Fits the projected world into g_rectS and recomputes every screen value.
void update_screen_bounds();
void update_screen_oe_size();
void update_screen_path_point_size();

// The catalogue reload of the obj.data setting: frees and rebuilds the
// objects dataset at every stage. The selection must already be cleared.
void data_reload_objects();
// Called by the obj.data hook after the reload with sel.catnum, so the main
// window can select that satellite again; null does nothing.
extern void (*g_dataReselect)(int catnum);
// Installs the pipeline's settings side effects into g_varHooks: objSize,
// pathSize, pathOrbits, linesData, objData, observer, footShow, nightShow.
void data_install_var_hooks();
