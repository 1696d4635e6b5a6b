#include "map/ring_cut.h"

#include <cmath>

namespace {

constexpr double s_pi = 3.14159265358979323846;

bool crosses(const point2f_t& p, const point2f_t& q)
{
    return std::fabs(static_cast<double>(q.x) - p.x) > s_pi;
}

// The latitude where the step from p to q (crossing the antimeridian) meets
// it, with q's longitude taken on p's side.
float crossing_lat(const point2f_t& p, const point2f_t& q)
{
    const double edge = p.x >= 0.0f ? s_pi : -s_pi;
    const double qx = q.x + (p.x >= 0.0f ? 2.0 * s_pi : -2.0 * s_pi);
    const double t = qx == p.x ? 0.5 : (edge - p.x) / (qx - p.x);
    return static_cast<float>(p.y + t * (static_cast<double>(q.y) - p.y));
}

float edge_lon(const point2f_t& p)
{
    return static_cast<float>(p.x >= 0.0f ? s_pi : -s_pi);
}

}  // namespace

void ring_cut(CPolylines2f& out, const point2f_t* ring, size_t n)
{
    if (n < 2) {
        out.Alloc(0, 0);
        return;
    }
    size_t cuts = 0, first = 0;
    for (size_t i = 0; i < n; ++i) {
        if (crosses(ring[i], ring[(i + 1) % n])) {
            if (cuts++ == 0)
                first = i;
        }
    }
    if (cuts == 0) {
        out.Alloc(n + 1, 1);
        for (size_t i = 0; i < n; ++i)
            out.Points()[i] = ring[i];
        out.Points()[n] = ring[0];
        out.Polylines()[0] = {n + 1, out.Points()};
        return;
    }
    // The walk starts just after the first crossing, so each polyline runs
    // from one edge point to the next.
    out.Alloc(n + 2 * cuts, cuts);
    point2f_t* pts = out.Points();
    polyline2f_t* line = out.Polylines();
    size_t k = 0;
    const size_t start = (first + 1) % n;
    const point2f_t& before = ring[first];
    pts[k++] = {edge_lon(ring[start]), crossing_lat(before, ring[start])};
    line->first = pts;
    for (size_t step = 0; step < n; ++step) {
        const point2f_t& p = ring[(start + step) % n];
        const point2f_t& q = ring[(start + step + 1) % n];
        pts[k++] = p;
        if (!crosses(p, q))
            continue;
        pts[k++] = {edge_lon(p), crossing_lat(p, q)};
        line->count = static_cast<uint64_t>(pts + k - line->first);
        if (step + 1 < n) {
            ++line;
            line->first = pts + k;
            pts[k++] = {edge_lon(q), crossing_lat(p, q)};
        }
    }
}
