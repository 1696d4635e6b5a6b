// Drawing of the map's screen-level data: the primitives every layer uses,
// and the layers of the observer settings (night shade, footprint, the
// sub-solar point and the observer's mark). All draw relative to the plot
// view's viewport.
#pragma once
#include <SDL.h>

#include "map/polylines.h"
#include "support/types.h"

void set_draw_color(SDL_Renderer* r, const color4b_t& c);
// Each polyline of at least 2 points as connected lines.
void draw_polylines(SDL_Renderer* r, const CPolylines2i& lines);

// The night shade, night.color blended over the background, while
// night.show is on; drawn first, on the cleared background, before the grid.
void layers_renderNight(SDL_Renderer* r);
// Over everything else: the selected satellite's footprint (foot.show), the
// sub-solar point (night.show) and the observer (obs.show).
void layers_renderMarks(SDL_Renderer* r);

// The sub-solar point's mark: a disc 7 pixels across in this colour.
constexpr color4b_t LAYERS_SUN_COLOR = {255, 200, 0, 255};
// The observer's mark: a cross this many pixels across.
constexpr int LAYERS_OBS_MARK = 9;
