#include "ui/main_win.h"

#include <cstdio>

#include "app/data.h"
#include "map/object_path.h"
#include "objects/objects.h"
#include "settings/vars.h"

static const int MIN_W = 640, MIN_H = 480;
static const int PANEL_COLS = 25, PANEL_ROWS = 4;

static bool is_vertical(int pos)
{
    return (pos & 3) == 1 || (pos & 3) == 3;
}

int MainWin::Create()
{
    return Create(&g_var.win.rect, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE, SDL_RENDERER_SOFTWARE);
}

int MainWin::Create(SDL_Rect* rect, Uint32 windowFlags, Uint32 rendererFlags)
{
    int res = SdlWindow::Create("Skytrace", rect, windowFlags, rendererFlags);
    if (res != 0)
        return res;
    SDL_SetWindowMinimumSize(window, MIN_W, MIN_H);
    plot.visible = true;
    if (LoadFonts() != 0)
        return -1;
    info.visible = g_var.info.show;
    info.SetVertical(is_vertical(g_var.info.pos));
    SelObj(g_var.sel.catnum);
    if (g_var.win.max)
        SDL_MaximizeWindow(window);
    UpdateChildRects();
    return 0;
}

void MainWin::Destroy()
{
    plot.labels.Clear();
    winFont.Delete();
    labelFont.Delete();
    SdlWindow::Destroy();
}

int MainWin::LoadFonts()
{
    if (!UpdateFont())
        return -1;
    if (!labelFont.Load(g_var.obj.label.font, renderer))
        return -1;
    plot.font = &labelFont;
    return 0;
}

bool MainWin::UpdateFont()
{
    if (!winFont.Load(g_var.win.font, renderer))
        return false;
    info.SetFont(&winFont);
    msg.font = &winFont;
    UpdateChildRects();
    return true;
}

bool MainWin::UpdateObjLabelFont()
{
    if (!labelFont.Load(g_var.obj.label.font, renderer))
        return false;
    plot.font = &labelFont;
    dirty = true;
    return true;
}

void MainWin::UpdateChildRects()
{
    if (!window)
        return;
    dirty = true;
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    int gw = info.font ? info.font->draw.w : 0;
    int gh = info.font ? info.font->draw.h : 0;
    SDL_Rect p = {0, 0, w, h};
    if (info.visible) {
        if (info.vertical) {
            int pw = PANEL_COLS * gw;
            if (g_var.info.pos == 3) {
                info.rect = {0, 0, pw, h};
                p = {pw, 0, w - pw, h};
            } else {
                info.rect = {w - pw, 0, pw, h};
                p = {0, 0, w - pw, h};
            }
        } else {
            int ph = PANEL_ROWS * gh;
            if (g_var.info.pos == 0) {
                info.rect = {0, 0, w, ph};
                p = {0, ph, w, h - ph};
            } else {
                info.rect = {0, h - ph, w, ph};
                p = {0, 0, w, h - ph};
            }
        }
    }
    plot.SetRect(&p);
}

void MainWin::Render()
{
    plot.Render(renderer);
    if (info.visible)
        info.Render(renderer);
    if (msg.visible)
        msg.Render(renderer);
    SDL_RenderPresent(renderer);
    dirty = false;
}

void MainWin::Animate(unsigned ms)
{
    if (!msg.visible)
        return;
    msg.Animate(ms);
    if (!msg.visible)
        dirty = true;
}

void MainWin::ShowMsg(const char* text)
{
    msg.SetText(text);
    int w = 0, h = 0;
    if (window)
        SDL_GetWindowSize(window, &w, &h);
    msg.rect.x = (w >> 1) - (msg.rect.w >> 1);
    msg.rect.y = (h >> 1) - (msg.rect.h >> 1);
    msg.Show(true);
    dirty = true;
}

int MainWin::KeyDownEvent(const SDL_KeyboardEvent& e)
{
    Uint16 m = e.keysym.mod & KEY_MODS;
    bool plain = m == 0;
    bool shifted = m == KMOD_LSHIFT || m == KMOD_RSHIFT;
    switch (e.keysym.sym) {
    case SDLK_i:
        if (plain) {
            g_var.info.show = !g_var.info.show;
            info.visible = g_var.info.show;
            UpdateChildRects();
            return 1;
        }
        if (shifted) {
            if (info.visible) {
                g_var.info.pos = (g_var.info.pos + 1) % 4;
                info.SetVertical(is_vertical(g_var.info.pos));
                UpdateChildRects();
            }
            return 1;
        }
        return -1;
    case SDLK_l:
        if (!plain)
            return -1;
        g_var.obj.label.show = (g_var.obj.label.show + 1) % 3;
        return 1;
    case SDLK_m:
        if (plain)
            next_projection();
        else if (shifted)
            prev_projection();
        else
            return -1;
        update_screen_bounds();
        update_data(0x20FF);
        ShowMsg(projection_name());
        return 1;
    case SDLK_p:
        if (!plain)
            return -1;
        g_var.path.show = static_cast<uint8_t>((g_var.path.show + 1) % 3);
        if (g_var.path.show != 0) {
            g_path.EnablePolylines(g_var.path.show == 2);
            update_data(0x1010);
        }
        return 1;
    case SDLK_o:
        return plain ? ToggleLayer(g_var.obs.show, DATA_OBSERVER, "Observer") : -1;
    case SDLK_f:
        return plain ? ToggleLayer(g_var.foot.show, DATA_FOOTPRINT, "Footprint") : -1;
    case SDLK_n:
        return plain ? ToggleLayer(g_var.night.show, DATA_NIGHT, "Night") : -1;
    case SDLK_TAB:
        if (plain)
            SelNextObj();
        else if (shifted)
            SelPriorObj();
        else
            return -1;
        return 1;
    default:
        return -1;
    }
}

// Turns one of the observer layers on or off, computes it when it comes on,
// and names its new state in the message box.
int MainWin::ToggleLayer(bool& show, int dataset, const char* name)
{
    show = !show;
    update_data(DATA_RAW | dataset);
    char text[64];
    snprintf(text, sizeof text, "%s %s", name, show ? "on" : "off");
    ShowMsg(text);
    return 1;
}

int MainWin::MouseButtonEvent(const SDL_MouseButtonEvent& e)
{
    if (e.type != SDL_MOUSEBUTTONDOWN || e.button != SDL_BUTTON_LEFT || e.clicks == 0)
        return 0;
    const SDL_Rect& r = plot.rect;
    if (e.x >= r.x && e.x - r.x < r.w && e.y >= r.y && e.y - r.y < r.h) {
        SDL_Point p = {e.x - r.x, e.y - r.y};
        SelObj(p);
    }
    return 0;
}

int MainWin::WindowEvent(const SDL_WindowEvent& e)
{
    bool maximised = (Flags() & SDL_WINDOW_MAXIMIZED) != 0;
    switch (e.event) {
    case SDL_WINDOWEVENT_MOVED:
        if (!maximised)
            GetPos(&g_var.win.rect.x, &g_var.win.rect.y);
        break;
    case SDL_WINDOWEVENT_RESIZED:
        if (!maximised)
            SDL_GetWindowSize(window, &g_var.win.rect.w, &g_var.win.rect.h);
        UpdateChildRects();
        break;
    case SDL_WINDOWEVENT_CLOSE:
        // Both rectangles in the form the move events keep, so that the next
        // start puts each window where it was.
        if (companion && (companion->Flags() & SDL_WINDOW_SHOWN)) {
            companion->KeepRect(&g_var.con.rect);
            SDL_HideWindow(companion->window);
        }
        KeepRect(&g_var.win.rect);
        g_var.win.max = maximised;
        SDL_HideWindow(window);
        break;
    default:
        break;
    }
    return 0;
}

namespace {

bool has_pos(const object_t* o)
{
    return o && o->hasPos;
}

// The first satellite after o in catalogue order, wrapping, whose position
// was computed; o itself when it is the only one, null when there is none.
object_t* next_with_pos(object_t* o)
{
    object_t* n = g_objs.Next(o);
    while (n && n != o && !n->hasPos)
        n = g_objs.Next(n);
    return has_pos(n) ? n : nullptr;
}

// The same before o, in one walk: the last one before o, else the last one
// after it.
object_t* prior_with_pos(object_t* o)
{
    object_t* before = nullptr;
    object_t* after = nullptr;
    bool past = false;
    for (object_t* p = g_objs.first; p; p = p->next) {
        if (p == o)
            past = true;
        else if (p->hasPos && past)
            after = p;
        else if (p->hasPos)
            before = p;
    }
    if (before)
        return before;
    if (after)
        return after;
    return has_pos(o) ? o : nullptr;
}

}  // namespace

// Only a satellite with a computed position can be selected: the panel shows
// its figures and the track starts where it is.
void MainWin::SelObj(object_t* o)
{
    if (!has_pos(o))
        return;
    g_var.sel.obj = o;
    g_var.sel.catnum = static_cast<int32_t>(obj_catnum(o));
    g_path.Reset();
    update_data(0x2010);
    // What the observer layers show of the selected satellite.
    update_data(DATA_RAW | DATA_OBSERVER | DATA_FOOTPRINT);
}

void MainWin::SelObj(int catnum)
{
    if (object_t* o = obj_find(static_cast<unsigned>(catnum), g_objs.first))
        SelObj(o);
}

void MainWin::SelObj(SDL_Point& p)
{
    if (object_t* o = plot.NearestObj(p.x, p.y))
        SelObj(o);
}

void MainWin::SelNextObj()
{
    if (!g_var.sel.obj)
        return;
    if (object_t* o = next_with_pos(g_var.sel.obj))
        SelObj(o);
}

void MainWin::SelPriorObj()
{
    if (!g_var.sel.obj)
        return;
    if (object_t* o = prior_with_pos(g_var.sel.obj))
        SelObj(o);
}
