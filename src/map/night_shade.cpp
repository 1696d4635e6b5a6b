#include "map/night_shade.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double s_pi = 3.14159265358979323846;

// Radians as the grid lines have them, so the shade's outline is theirs.
float rad(double deg)
{
    return static_cast<float>(deg * s_pi / 180.0);
}

// Twice the signed area of the triangle (a, b, p) in doubled pixel
// coordinates: exact in 64-bit integers.
int64_t edge(const point2i_t& a, const point2i_t& b, int64_t px, int64_t py)
{
    return (2 * int64_t(b.x) - 2 * int64_t(a.x)) * (py - 2 * int64_t(a.y)) -
           (2 * int64_t(b.y) - 2 * int64_t(a.y)) * (px - 2 * int64_t(a.x));
}

// Of the two triangles sharing an edge, a centre exactly on it belongs to
// the one that walks it downward, or leftward when it is horizontal; the
// other walks it the opposite way.
bool owns(const point2i_t& a, const point2i_t& b)
{
    return b.y > a.y || (b.y == a.y && b.x < a.x);
}

}  // namespace

void CNightShade::SetSun(const double sun[3])
{
    if (geo.empty()) {
        geo.resize(VERTICES);
        for (int j = 0; j <= LAT_CELLS; ++j)
            for (int i = 0; i <= LON_CELLS; ++i)
                geo[j * COLS + i] = {rad(i - 180.0), rad(j - 90.0)};
        sinElevation.resize(VERTICES);
        projected.resize(VERTICES);
        screen.resize(VERTICES);
    }
    // sin(elevation) = cos(lat) (cos(lon) sx + sin(lon) sy) + sin(lat) sz.
    double across[COLS];
    for (size_t i = 0; i < COLS; ++i) {
        const double lon = geo[i].x;
        across[i] = std::cos(lon) * sun[0] + std::sin(lon) * sun[1];
    }
    for (int j = 0; j <= LAT_CELLS; ++j) {
        const double lat = geo[j * COLS].y;
        const double c = std::cos(lat), s = std::sin(lat) * sun[2];
        float* e = &sinElevation[j * COLS];
        for (size_t i = 0; i < COLS; ++i)
            e[i] = static_cast<float>(c * across[i] + s);
    }
    const double z = std::max(-1.0, std::min(1.0, sun[2]));
    subsolar = {static_cast<float>(std::atan2(sun[1], sun[0])), static_cast<float>(std::asin(z))};
}

void CNightShade::Free()
{
    *this = CNightShade();
}

// Marks the pixels of the triangle (a, b, c) whose elevation, interpolated
// from the corners' ea, eb, ec, is negative.
void CNightShade::Fill(point2i_t a, point2i_t b, point2i_t c, float ea, float eb, float ec)
{
    int64_t area = edge(a, b, 2 * int64_t(c.x), 2 * int64_t(c.y));
    if (area == 0)
        return;
    if (area < 0) {
        std::swap(b, c);
        std::swap(eb, ec);
    }
    const bool allNight = ea < 0 && eb < 0 && ec < 0;
    const bool ownA = owns(b, c), ownB = owns(c, a), ownC = owns(a, b);
    // Pixels whose centres (px + 0.5, py + 0.5) can lie inside, within the clip.
    const int x0 = std::max({std::min({a.x, b.x, c.x}), m_clip.x});
    const int x1 = std::min({std::max({a.x, b.x, c.x}), m_clip.x + m_clip.w}) - 1;
    const int y0 = std::max({std::min({a.y, b.y, c.y}), m_clip.y});
    const int y1 = std::min({std::max({a.y, b.y, c.y}), m_clip.y + m_clip.h}) - 1;
    for (int y = y0; y <= y1; ++y) {
        uint8_t* row = m_mask.data() + size_t(y - m_clip.y) * size_t(m_clip.w);
        const int64_t py = 2 * int64_t(y) + 1;
        for (int x = x0; x <= x1; ++x) {
            const int64_t px = 2 * int64_t(x) + 1;
            const int64_t wa = edge(b, c, px, py), wb = edge(c, a, px, py), wc = edge(a, b, px, py);
            if ((wa < 0 || (wa == 0 && !ownA)) || (wb < 0 || (wb == 0 && !ownB)) ||
                (wc < 0 || (wc == 0 && !ownC)))
                continue;
            // The weights are the barycentric ones times a positive area.
            if (allNight || double(wa) * ea + double(wb) * eb + double(wc) * ec < 0.0)
                row[x - m_clip.x] = 1;
        }
    }
}

void CNightShade::Rasterize(const SDL_Rect& clip, int32_t limit)
{
    spans.clear();
    m_clip = {clip.x, clip.y, std::max(clip.w, 0), std::max(clip.h, 0)};
    if (geo.empty() || m_clip.w == 0 || m_clip.h == 0)
        return;
    m_mask.assign(size_t(m_clip.w) * size_t(m_clip.h), 0);
    auto usable = [limit](const point2i_t& p) {
        return p.x > -limit && p.x < limit && p.y > -limit && p.y < limit;
    };
    const float* e = sinElevation.data();
    const point2i_t* v = screen.data();
    for (size_t j = 0; j < size_t(LAT_CELLS); ++j) {
        for (size_t i = 0; i < size_t(LON_CELLS); ++i) {
            // Corners counter-clockwise on the globe from the south-west one.
            const size_t k0 = j * COLS + i, k1 = k0 + 1, k2 = k1 + COLS, k3 = k0 + COLS;
            if (e[k0] >= 0 && e[k1] >= 0 && e[k2] >= 0 && e[k3] >= 0)
                continue;
            if (!usable(v[k0]) || !usable(v[k1]) || !usable(v[k2]) || !usable(v[k3]))
                continue;
            // The two triangles walk their shared diagonal in opposite
            // directions, as neighbouring cells walk their shared sides.
            Fill(v[k0], v[k1], v[k2], e[k0], e[k1], e[k2]);
            Fill(v[k0], v[k2], v[k3], e[k0], e[k2], e[k3]);
        }
    }
    for (int y = 0; y < m_clip.h; ++y) {
        const uint8_t* row = &m_mask[size_t(y) * size_t(m_clip.w)];
        for (int x = 0; x < m_clip.w;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int from = x;
            while (x < m_clip.w && row[x])
                ++x;
            spans.push_back({m_clip.x + from, m_clip.y + y, x - from, 1});
        }
    }
}
