// The night side of the map. A grid of one degree in longitude and latitude
// carries the sine of the Sun's elevation at its vertices; each grid cell is
// drawn as two triangles between its projected corners, and the pixels of
// those triangles where the elevation, interpolated from their corners, is
// below 0 are gathered into horizontal spans to shade.
#pragma once
#include <SDL_rect.h>

#include <cstdint>
#include <vector>

#include "support/types.h"

class CNightShade {
public:
    static constexpr int LON_CELLS = 360, LAT_CELLS = 180;
    static constexpr size_t COLS = LON_CELLS + 1;  // vertices in a row, -180 to 180
    static constexpr size_t VERTICES = COLS * (LAT_CELLS + 1);

    // Builds the grid on first use and puts the Sun in the direction sun
    // (Earth-fixed unit vector): each vertex takes the sine of the Sun's
    // geometric elevation seen from there (the ellipsoid normal dotted with
    // sun; the Sun's parallax, 9 arc seconds at most, is left out), and
    // subsolar the point with the Sun in the zenith.
    void SetSun(const double sun[3]);
    // Fills spans with the night pixels inside clip from the vertices' pixel
    // positions in screen (one per vertex, in grid order), one rectangle
    // per run of a row. A pixel is in a triangle when its centre is; centres
    // on a shared edge belong to exactly one of its two triangles, so the
    // shade has neither gaps nor double rows. Triangles with a corner at or
    // beyond +-limit (a point the screen mapping clamped) are left out.
    void Rasterize(const SDL_Rect& clip, int32_t limit);
    void Free();
    bool IsEmpty() const { return geo.empty(); }

    std::vector<point2f_t> geo;        // longitude, latitude (radians), row by row from the south
    std::vector<float> sinElevation;   // per vertex
    std::vector<point2f_t> projected;  // per vertex, filled by the pipeline
    std::vector<point2i_t> screen;     // per vertex, filled by the pipeline
    std::vector<SDL_Rect> spans;       // the shade, in screen coordinates
    point2f_t subsolar = {0, 0};       // longitude, latitude (radians)

private:
    void Fill(point2i_t a, point2i_t b, point2i_t c, float ea, float eb, float ec);

    std::vector<uint8_t> m_mask;  // one byte per pixel of the clip rectangle
    SDL_Rect m_clip = {0, 0, 0, 0};
};
