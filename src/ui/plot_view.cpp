#include "ui/plot_view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "app/data.h"
#include "map/object_path.h"
#include "map/polylines.h"
#include "objects/objects.h"
#include "settings/vars.h"
#include "sgp4/Tle.h"
#include "support/str.h"
#include "ui/map_layers.h"
#include "ui/sdl_font.h"

void set_draw_color(SDL_Renderer* r, const color4b_t& c)
{
    SDL_SetRenderDrawColor(r, c.r, c.g, c.b, c.a);
}

void draw_polylines(SDL_Renderer* r, const CPolylines2i& lines)
{
    const polyline2i_t* pl = lines.Polylines();
    for (uint64_t i = 0; i < lines.PolylineCount(); i++) {
        if (pl[i].count < 2 || pl[i].count > INT_MAX)
            continue;
        // point2i_t and SDL_Point are both two 32-bit ints, x then y.
        SDL_RenderDrawLines(r, reinterpret_cast<const SDL_Point*>(pl[i].first),
                            static_cast<int>(pl[i].count));
    }
}

static int clamp_int(long long v)
{
    return v < INT_MIN ? INT_MIN : v > INT_MAX ? INT_MAX : static_cast<int>(v);
}

int PlotView::LabelX(const SDL_Rect& sq, float lonRad, int chars, int glyphW)
{
    float deg = static_cast<float>(static_cast<double>(lonRad) * 180.0 / M_PI);
    if (deg >= 0)
        return clamp_int(static_cast<long long>(sq.x) + sq.w - static_cast<long long>(chars) * glyphW);
    return sq.x;
}

int PlotView::LabelY(const SDL_Rect& sq, int glyphH)
{
    return clamp_int(static_cast<long long>(sq.y) - glyphH - 1);
}

void PlotView::SetRect(const SDL_Rect* r)
{
    rect = *r;
    UpdateScreenRect();
}

void PlotView::UpdateScreenRect()
{
    int p = g_var.plot.padding;
    SDL_Rect s = {p, p, rect.w - 2 * p, rect.h - 2 * p};
    set_screen_rect(s);
}

void PlotView::Render(SDL_Renderer* r)
{
    set_draw_color(r, g_var.plot.bg.color);
    SDL_RenderClear(r);
    SDL_RenderSetViewport(r, &rect);
    layers_renderNight(r);
    if (g_var.lat.show) {
        set_draw_color(r, g_var.lat.color);
        draw_polylines(r, g_latLinesS);
    }
    if (g_var.lon.show) {
        set_draw_color(r, g_var.lon.color);
        draw_polylines(r, g_lonLinesS);
    }
    if (g_var.lines.show) {
        set_draw_color(r, g_var.lines.color);
        draw_polylines(r, g_coastlinesS);
    }
    if (g_objs.count > 0 && g_orbRectsS) {
        RenderObjects(r);
        if (g_var.obj.label.show != 0)
            RenderLabels(r);
    }
    if (g_var.obj.label.show != 1)
        labels.Clear();
    if (g_var.sel.obj && g_var.path.show != 0)
        RenderPath(r);
    layers_renderMarks(r);
    SDL_RenderSetViewport(r, nullptr);
}

// Satellites without a computed position are left out; the others are drawn
// in runs of consecutive squares, one call per run (one in the usual case).
void PlotView::RenderObjects(SDL_Renderer* r)
{
    set_draw_color(r, g_var.obj.color);
    const SDL_Rect* rects = g_orbRectsS;
    int runStart = -1, i = 0;
    for (object_t* o = g_objs.first; o && static_cast<uint64_t>(i) < g_objs.count; o = o->next, i++) {
        if (o->hasPos) {
            if (runStart < 0)
                runStart = i;
        } else if (runStart >= 0) {
            SDL_RenderFillRects(r, rects + runStart, i - runStart);
            runStart = -1;
        }
    }
    if (runStart >= 0)
        SDL_RenderFillRects(r, rects + runStart, i - runStart);
}

// Every satellite's label goes through the layer when the font allows it;
// the selected one's alone, or labels in a font of several inks, are drawn
// glyph by glyph.
void PlotView::RenderLabels(SDL_Renderer* r)
{
    if (!font)
        return;
    const color4b_t& c = g_var.obj.label.color;
    int mode = g_var.obj.label.show;
    const bool layer = mode == 1 && labels.Begin(r, font, rect.w, rect.h);
    if (!layer)
        font->SetColor(c.r, c.g, c.b);
    int gw = font->draw.w, gh = font->draw.h;
    uint64_t i = 0;
    for (object_t* o = g_objs.first; o && i < g_objs.count; o = o->next, i++) {
        if (!o->hasPos || !o->pos)
            continue;
        if (mode == 2 && o != g_var.sel.obj)
            continue;
        // The name is cut to the label buffer here: names from element files
        // can be longer than it.
        char name[64];
        str_copy(name, o->tle->Name().c_str(), sizeof name);
        const SDL_Rect& sq = g_orbRectsS[i];
        int n = static_cast<int>(strlen(name));
        const int x = LabelX(sq, o->pos->x, n, gw), y = LabelY(sq, gh);
        if (layer)
            labels.Add(x, y, name);
        else
            font->RenderStr(x, y, name);
    }
    if (layer)
        labels.End(c);
}

void PlotView::RenderPath(SDL_Renderer* r)
{
    if (!g_path.lines) {
        // One square per projected path point; the count of squares held is
        // the bound actually allocated.
        uint64_t n = std::min(g_opMP.PointCount(), g_opRectsCount);
        if (n == 0 || !g_opRectsS || n > INT_MAX)
            return;
        set_draw_color(r, g_var.path.color);
        SDL_RenderFillRects(r, g_opRectsS, static_cast<int>(n));
        return;
    }
    if (g_opS.PointCount() < 2)
        return;
    set_draw_color(r, g_var.path.color);
    draw_polylines(r, g_opS);
}

object_t* PlotView::NearestObj(int x, int y)
{
    if (g_objs.count == 0 || !g_oePtsS)
        return nullptr;
    object_t* best = nullptr;
    int bestD = 65000;
    uint64_t i = 0;
    for (object_t* o = g_objs.first; o && i < g_objs.count; o = o->next, i++) {
        // A satellite that is not drawn cannot be picked.
        if (!o->hasPos)
            continue;
        // In double so that far-off points cannot overflow the squares; the
        // comparison with the integer best equals that of the truncated d.
        double dx = static_cast<double>(g_oePtsS[i].x) - x;
        double dy = static_cast<double>(g_oePtsS[i].y) - y;
        double d = std::sqrt(dx * dx + dy * dy);
        if (d < bestD) {
            bestD = static_cast<int>(d);
            best = o;
        }
    }
    return best;
}
