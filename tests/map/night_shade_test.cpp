// The night shade through a curved screen mapping (sinusoidal, 2 pixels a degree)
// against the Sun's elevation at each pixel's centre: no gaps between the grid's
// triangles, no pixel twice, nothing on the day side, nothing outside the clip.
#include "map/night_shade.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

TEST(NightShade, PixelsOnTheNightSideOnlyAndAllOfThem)
{
    const double d = M_PI / 180, dec = 23.4 * d, ra = -45 * d;
    const double sun[3] = {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
    CNightShade shade;
    shade.SetSun(sun);
    EXPECT_TRUE(std::fabs(shade.subsolar.x - ra) < 1e-6 && std::fabs(shade.subsolar.y - dec) < 1e-6);
    for (size_t i = 0; i < shade.geo.size(); ++i) {
        const point2f_t& g = shade.geo[i];
        shade.screen[i] = {int32_t(std::lround((g.x / d * std::cos(g.y) + 180) * 2)), int32_t(std::lround((90 - g.y / d) * 2))};
    }
    const SDL_Rect clip = {0, 0, 720, 360};
    shade.Rasterize(clip, 1 << 20);
    std::vector<int> hit(720 * 360, 0);
    for (const SDL_Rect& s : shade.spans) {
        ASSERT_TRUE(s.h == 1 && s.x >= 0 && s.y >= 0 && s.x + s.w <= 720 && s.y < 360);
        for (int x = s.x; x < s.x + s.w; ++x)
            ASSERT_EQ(hit[s.y * 720 + x]++, 0) << "pixel " << x << ", " << s.y << " twice";
    }
    int night = 0, wrong = 0;
    for (int y = 0; y < 360; ++y) {
        for (int x = 0; x < 720; ++x) {
            const double lat = (90 - (y + 0.5) / 2) * d, lon = ((x + 0.5) / 2 - 180) / std::cos(lat) * d;
            const double e = std::cos(lat) * (std::cos(lon) * sun[0] + std::sin(lon) * sun[1]) + std::sin(lat) * sun[2];
            // Either way within 2 pixels of the outline or a degree of the terminator.
            if ((M_PI - std::fabs(lon)) / d * 2 * std::cos(lat) < 2 || std::fabs(e) < std::sin(d))
                continue;
            night += e < 0;
            wrong += (hit[y * 720 + x] != 0) != (e < 0);
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(night, 30000);
    shade.Rasterize({0, 0, -5, 10}, 1 << 20);
    EXPECT_TRUE(shade.spans.empty());
}
