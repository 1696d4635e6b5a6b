// Shared helpers of the window tests: SDL offscreen, pixels read back, key
// events, and a main window over satellites placed where a test wants them.
#pragma once
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/data.h"
#include "map/map_fixture.h"
#include "settings/vars.h"
#include "support/types.h"
#include "ui/main_win.h"

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

inline bool same_color(const color4b_t& a, const color4b_t& b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

inline SDL_KeyboardEvent key_event(SDL_Keycode k, Uint16 mod, Uint32 windowId = 0)
{
    return {SDL_KEYDOWN, 0, windowId, SDL_PRESSED, 0, 0, 0, {SDL_SCANCODE_UNKNOWN, k, mod, 0}};
}

// The pixels of a renderer's last frame, RGBA rows.
struct Frame {
    void Read(SDL_Renderer* r)
    {
        SDL_GetRendererOutputSize(r, &width, &height);
        pixels.assign(size_t(width) * height * 4, 0);
        ASSERT_EQ(SDL_RenderReadPixels(r, nullptr, SDL_PIXELFORMAT_RGBA32, pixels.data(), width * 4), 0);
    }
    // Outside the frame: transparent black.
    color4b_t Pixel(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return {0, 0, 0, 0};
        const uint8_t* p = &pixels[(size_t(y) * width + x) * 4];
        return {p[0], p[1], p[2], p[3]};
    }
    // Pixels of the colour inside the rectangle.
    int Count(const SDL_Rect& r, const color4b_t& c) const
    {
        int n = 0;
        for (int y = std::max(r.y, 0); y < std::min(r.y + r.h, height); y++)
            for (int x = std::max(r.x, 0); x < std::min(r.x + r.w, width); x++)
                n += same_color(Pixel(x, y), c);
        return n;
    }
    int CountAll(const color4b_t& c) const { return Count({0, 0, width, height}, c); }
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

// A BMP font image of 20 x 32 pixel glyphs in the temporary folder; its path.
inline std::string big_font_bmp()
{
    const std::string path = ::testing::TempDir() + "big_font.bmp";
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 320, 512, 32, SDL_PIXELFORMAT_ARGB8888);
    EXPECT_EQ(SDL_SaveBMP(s, path.c_str()), 0);
    SDL_FreeSurface(s);
    return path;
}

struct testSat_t { const char* name; unsigned catnum; float lonDeg, latDeg; bool hasPos; };

class UiTest : public ::testing::Test, public Frame {
protected:
    void SetUp() override
    {
        var_reset();
        g_var.lines.show = g_var.lat.show = g_var.lon.show = false;
        init_data(0xF013);
        update_data(0x1013);
    }
    void TearDown() override
    {
        w.Destroy();
        free_data(0xF0FF);
        var_reset();
    }
    // The window sees the catalogue and settings as they are when it opens.
    void OpenWindow(int ww = 800, int hh = 600)
    {
        SDL_Rect r = {0, 0, ww, hh};
        ASSERT_EQ(w.Create(&r, SDL_WINDOW_SHOWN, SDL_RENDERER_SOFTWARE), 0) << SDL_GetError();
    }
    // The catalogue becomes these satellites, placed, projected and on screen.
    void LoadSatellites(const std::vector<testSat_t>& sats)
    {
        free_data(0xF008);
        for (const testSat_t& s : sats)
            g_objs.Add(make_leo(s.catnum, 15.5, false, s.name));
        g_objs.InitPositions();
        size_t i = 0;
        for (object_t* o = g_objs.first; o; o = o->next, i++) {
            *o->pos = {rad(sats[i].lonDeg), rad(sats[i].latDeg)};
            o->hasPos = sats[i].hasPos;
        }
        init_data(0x6008);
        update_data(0x2008);
    }
    int Key(SDL_Keycode k, Uint16 mod = KMOD_NONE) { return w.KeyDownEvent(key_event(k, mod, w.Id())); }
    // Draws the frame as the event loop does and reads it back.
    void Grab()
    {
        w.plot.Render(w.renderer);
        if (w.info.visible)
            w.info.Render(w.renderer);
        if (w.msg.visible)
            w.msg.Render(w.renderer);
        Read(w.renderer);
    }
    MainWin w;
};
