// Shared helpers of the window tests: SDL on the offscreen driver, a main
// window of known size, a catalogue of satellites placed where a test wants
// them, and pixels read back from the renderer.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/data.h"
#include "objects/objects.h"
#include "settings/vars.h"

#include "support/types.h"
#include "ui/main_win.h"

struct testSat_t {
    const char* name;
    unsigned catnum;
    float lonDeg, latDeg;
    bool hasPos;
};

inline bool same_color(const color4b_t& a, const color4b_t& b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

class UiTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window (800 x 600 unless given) with the settings as they
    // are; the catalogue and grid must be set up before when the window's
    // selection or layout should see them.
    void OpenWindow(int w = 800, int h = 600);
    // Replaces the catalogue by the satellites, with their positions set to
    // the given points, and brings the projected and screen levels up to date.
    void LoadSatellites(const std::vector<testSat_t>& sats);
    // Reads the whole window after drawing the frame.
    void Grab();
    color4b_t Pixel(int x, int y) const;
    // Pixels of the colour inside the rectangle (window coordinates).
    int Count(const SDL_Rect& r, const color4b_t& c) const;
    int CountAll(const color4b_t& c) const { return Count({0, 0, width, height}, c); }

    MainWin w;
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // RGBA rows
};

// SDL lives for the whole test program: the offscreen driver needs no display.
class SdlEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override { SDL_Quit(); }
};
inline ::testing::Environment* const g_sdlTestEnv = ::testing::AddGlobalTestEnvironment(new SdlEnvironment);

inline OrbitalElements_t test_elements(const char* name, unsigned catnum)
{
    OrbitalElements_t el;
    el.name = name;
    el.catalogNumber = catnum;
    el.classification = 'U';
    el.intlDesignator = "98067A";
    el.epochYear = 2026;
    el.epochDay = 150.5;
    el.epochIsDayOfYear = true;
    el.inclination = 51.64;
    el.raan = 100.0 + catnum % 50;
    el.eccentricity = 0.0004;
    el.argPerigee = 90.0;
    el.meanAnomaly = 10.0 * (catnum % 36);
    el.meanMotion = 15.5;
    el.revNumber = 12345;
    return el;
}

inline void UiTest::SetUp()
{
    var_reset();
    free_data(0xF0FF);
    g_var.lines.show = false;
    g_var.lat.show = false;
    g_var.lon.show = false;
    init_data(0xF013);
    update_data(0x1013);
}

inline void UiTest::TearDown()
{
    w.Destroy();
    g_var.sel.obj = nullptr;
    free_data(0xF0FF);
    var_reset();
}

inline void UiTest::OpenWindow(int ww, int hh)
{
    SDL_Rect r = {0, 0, ww, hh};
    ASSERT_EQ(w.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0) << SDL_GetError();
}

inline void UiTest::LoadSatellites(const std::vector<testSat_t>& sats)
{
    g_var.sel.obj = nullptr;
    free_data(0xF008);
    for (const testSat_t& s : sats) {
        object_t* o = nullptr;
        ASSERT_EQ(new_obj(&o, test_elements(s.name, s.catnum)), 0);
        g_objs.Add(o);
    }
    g_objs.InitPositions();
    uint64_t i = 0;
    for (object_t* o = g_objs.first; o; o = o->next, i++) {
        o->pos->x = static_cast<float>(sats[i].lonDeg * M_PI / 180.0);
        o->pos->y = static_cast<float>(sats[i].latDeg * M_PI / 180.0);
        o->hasPos = sats[i].hasPos;
    }
    init_data(0x6008);
    update_data(0x2008);
}

inline void UiTest::Grab()
{
    w.plot.Render(w.renderer);
    if (w.info.visible)
        w.info.Render(w.renderer);
    if (w.msg.visible)
        w.msg.Render(w.renderer);
    SDL_GetRendererOutputSize(w.renderer, &width, &height);
    pixels.assign(static_cast<size_t>(width) * height * 4, 0);
    ASSERT_EQ(SDL_RenderReadPixels(w.renderer, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), width * 4), 0)
        << SDL_GetError();
}

inline color4b_t UiTest::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return {0, 0, 0, 0};
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

inline int UiTest::Count(const SDL_Rect& r, const color4b_t& c) const
{
    int n = 0;
    for (int y = r.y; y < r.y + r.h; y++)
        for (int x = r.x; x < r.x + r.w; x++)
            if (x >= 0 && y >= 0 && x < width && y < height && same_color(Pixel(x, y), c))
                n++;
    return n;
}
