#include "map/grid_lines.h"

#include <cmath>

namespace {

// Degrees of the i-th of n values spread evenly from `from` to `to`; with the
// default grid sizes these are whole degrees.
double spread(double from, double to, uint64_t i, uint64_t n)
{
    if (n < 2)
        return from;
    return from + (to - from) * static_cast<double>(i) / static_cast<double>(n - 1);
}

float rad(double deg)
{
    return static_cast<float>(deg * M_PI / 180.0);
}

// Fills lines x points, laying the polylines end to end; the line index
// picks the constant coordinate, the point index the running one.
template <typename F>
bool build(CPolylines<point2f_t, polyline2f_t>& c, uint64_t lines, uint64_t points, F point_at)
{
    if (!c.Alloc(lines * points, lines))
        return false;
    point2f_t* p = c.Points();
    for (uint64_t i = 0; i < lines; ++i) {
        c.Polylines()[i].count = points;
        c.Polylines()[i].first = p;
        for (uint64_t j = 0; j < points; ++j)
            *p++ = point_at(i, j);
    }
    return true;
}

}  // namespace

bool CLatitudeLines::Set(uint64_t lines, uint64_t points)
{
    return build(*this, lines, points, [=](uint64_t i, uint64_t j) {
        return point2f_t{rad(spread(-180.0, 180.0, j, points)), rad(spread(90.0, -90.0, i, lines))};
    });
}

bool CLongitudeLines::Set(uint64_t lines, uint64_t points)
{
    return build(*this, lines, points, [=](uint64_t i, uint64_t j) {
        return point2f_t{rad(spread(-180.0, 180.0, i, lines)), rad(spread(90.0, -90.0, j, points))};
    });
}
