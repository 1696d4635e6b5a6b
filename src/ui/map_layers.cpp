#include "ui/map_layers.h"

#include <climits>
#include <vector>

#include "app/data.h"
#include "settings/vars.h"

// The shade's alpha is its strength. It lies on nothing but the background
// the frame was cleared to, so the blend is one colour, worked out here and
// filled opaque: a plain fill costs a fraction of blending every pixel.
void layers_renderNight(SDL_Renderer* r)
{
    const std::vector<SDL_Rect>& spans = g_night.spans;
    if (!g_var.night.show || spans.empty() || spans.size() > size_t(INT_MAX))
        return;
    const color4b_t& n = g_var.night.color;
    const color4b_t& bg = g_var.plot.bg.color;
    auto mix = [a = unsigned(n.a)](uint8_t top, uint8_t under) {
        return uint8_t((top * a + under * (255 - a) + 127) / 255);
    };
    set_draw_color(r, {mix(n.r, bg.r), mix(n.g, bg.g), mix(n.b, bg.b), 255});
    SDL_RenderFillRects(r, spans.data(), static_cast<int>(spans.size()));
}

static void draw_sun(SDL_Renderer* r, const point2i_t& p)
{
    set_draw_color(r, LAYERS_SUN_COLOR);
    // Rows of a disc of radius 3.5 around the pixel's centre.
    static const int s_half[7] = {1, 2, 3, 3, 3, 2, 1};
    for (int dy = -3; dy <= 3; ++dy)
        SDL_RenderDrawLine(r, p.x - s_half[dy + 3], p.y + dy, p.x + s_half[dy + 3], p.y + dy);
}

static void draw_cross(SDL_Renderer* r, const point2i_t& p, const color4b_t& c)
{
    const int h = LAYERS_OBS_MARK / 2;
    set_draw_color(r, c);
    SDL_RenderDrawLine(r, p.x - h, p.y, p.x + h, p.y);
    SDL_RenderDrawLine(r, p.x, p.y - h, p.x, p.y + h);
}

void layers_renderMarks(SDL_Renderer* r)
{
    if (g_var.foot.show && g_var.sel.obj) {
        set_draw_color(r, g_var.foot.color);
        draw_polylines(r, g_footprintS);
    }
    if (g_var.night.show && !g_night.IsEmpty())
        draw_sun(r, g_sunPointS);
    if (g_var.obs.show)
        draw_cross(r, g_obsPointS, g_var.obs.color);
}
