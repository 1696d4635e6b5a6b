// The night shade against the Sun's elevation worked out for each pixel's centre,
// through an affine and a curved screen mapping: no gaps, no pixel twice, nothing
// on the day side, nothing outside the clip.
#include "map/night_shade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

const double s_deg = M_PI / 180.0;

// Screen mappings of 2 pixels a degree, north up, and their inverses at pixel centres.
struct Mapping {
    bool sinusoidal;
    point2i_t To(const point2f_t& g) const
    {
        const double lon = g.x / s_deg, lat = g.y / s_deg;
        const double x = sinusoidal ? lon * std::cos(g.y) : lon;
        return {static_cast<int32_t>(std::floor((x + 180) * 2 + 0.5)),
                static_cast<int32_t>(std::floor((90 - lat) * 2 + 0.5))};
    }
    // Longitude and latitude (degrees) of the centre of pixel (x, y); false off the map.
    bool From(int x, int y, double* lon, double* lat) const
    {
        *lat = 90 - (y + 0.5) / 2;
        const double px = (x + 0.5) / 2 - 180;
        *lon = sinusoidal ? px / std::cos(*lat * s_deg) : px;
        return std::fabs(*lon) <= 180;
    }
};

// The pixels of the spans, each counted once; false when one is counted twice or lies outside.
bool coverage(const CNightShade& shade, const SDL_Rect& clip, std::vector<uint8_t>& hit)
{
    hit.assign(size_t(clip.w) * clip.h, 0);
    for (const SDL_Rect& s : shade.spans) {
        if (s.h != 1 || s.x < clip.x || s.y < clip.y || s.x + s.w > clip.x + clip.w || s.y >= clip.y + clip.h)
            return false;
        for (int x = s.x; x < s.x + s.w; ++x)
            if (hit[size_t(s.y - clip.y) * clip.w + (x - clip.x)]++)
                return false;
    }
    return true;
}

}  // namespace

TEST(NightShade, PixelsOnTheNightSideOnlyAndAllOfThem)
{
    // The Sun over the south pole, then over 23.4 N, 45 W.
    const double south[3] = {0, 0, -1};
    const double dec = 23.4 * s_deg, ra = -45 * s_deg;
    const double summer[3] = {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    for (bool sinusoidal : {false, true}) {
        for (const double* sun : {south, summer}) {
            SCOPED_TRACE(std::string(sinusoidal ? "sinusoidal" : "affine") + (sun == south ? ", south" : ", summer"));
            const Mapping m{sinusoidal};
            CNightShade shade;
            shade.SetSun(sun);
            ASSERT_EQ(shade.geo.size(), CNightShade::VERTICES);
            for (size_t i = 0; i < shade.geo.size(); ++i)
                shade.screen[i] = m.To(shade.geo[i]);
            const SDL_Rect clip = {0, 0, 720, 360};
            shade.Rasterize(clip, 1 << 20);
            std::vector<uint8_t> hit;
            ASSERT_TRUE(coverage(shade, clip, hit));
            int night = 0, wrong = 0;
            for (int y = 0; y < clip.h; ++y) {
                for (int x = 0; x < clip.w; ++x) {
                    double lon, lat;
                    const bool on = m.From(x, y, &lon, &lat);
                    const double e = std::cos(lat * s_deg) * (std::cos(lon * s_deg) * sun[0] + std::sin(lon * s_deg) * sun[1]) +
                                     std::sin(lat * s_deg) * sun[2];
                    const bool lit = hit[size_t(y) * clip.w + x] != 0;
                    // A pixel off the map, within 2 pixels of its outline or within a degree of
                    // the terminator may go either way.
                    const double edge = (180 - std::fabs(lon)) * 2 * (sinusoidal ? std::cos(lat * s_deg) : 1);
                    if (!on || edge < 2 || std::fabs(e) < std::sin(1 * s_deg))
                        continue;
                    night += e < 0;
                    wrong += lit != (e < 0);
                }
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_GT(night, sinusoidal ? 30000 : 50000);
        }
    }
    // With the Sun over the north pole the south is night: with the affine mapping every
    // row below the equator is one span of the map's whole width, without a gap.
    const double north[3] = {0, 0, 1};
    CNightShade shade;
    shade.SetSun(north);
    EXPECT_NEAR(shade.subsolar.y, M_PI / 2, 1e-6);
    for (size_t i = 0; i < shade.geo.size(); ++i)
        shade.screen[i] = Mapping{false}.To(shade.geo[i]);
    shade.Rasterize({0, 0, 720, 360}, 1 << 20);
    ASSERT_EQ(shade.spans.size(), 180u);
    for (const SDL_Rect& s : shade.spans)
        EXPECT_TRUE(s.x == 0 && s.w == 720 && s.y >= 180) << s.y;

    // A clip elsewhere keeps the spans inside it; an empty one gives none.
    const SDL_Rect part = {100, 200, 50, 40};
    shade.Rasterize(part, 1 << 20);
    std::vector<uint8_t> hit;
    EXPECT_TRUE(coverage(shade, part, hit) && shade.spans.size() == 40u);
    shade.Rasterize({0, 0, -5, 10}, 1 << 20);
    EXPECT_TRUE(shade.spans.empty());
    // Triangles with a clamped corner are left out.
    shade.screen[0] = {-(1 << 20), -(1 << 20)};
    shade.Rasterize({0, 0, 720, 360}, 1 << 20);
    EXPECT_GT(shade.spans.size(), 0u);
}
