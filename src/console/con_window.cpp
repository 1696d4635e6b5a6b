#include "console/con_window.h"

#include "settings/vars.h"

static const int MIN_W = 320, MIN_H = 240;

int ConWindow::Create()
{
    return Create(&g_var.con.rect, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE, SDL_RENDERER_SOFTWARE);
}

int ConWindow::Create(SDL_Rect* rect, Uint32 windowFlags, Uint32 rendererFlags)
{
    int res = SdlWindow::Create("Skytrace Console", rect, windowFlags, rendererFlags);
    if (res != 0)
        return res;
    SDL_SetWindowMinimumSize(window, MIN_W, MIN_H);
    if (font.Load(g_var.con.font, renderer)) {
        view.font = &font;
        view.visible = true;
        view.SetSize(rect->w, rect->h);
    } else {
        view.visible = false;
    }
    return 0;
}

bool ConWindow::UpdateFont()
{
    if (!font.Load(g_var.con.font, renderer))
        return false;
    view.font = &font;
    // Rows and columns follow the new glyph size at once, so the input line
    // stays inside the window.
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    view.SetSize(w, h);
    dirty = true;
    return true;
}

void ConWindow::Render()
{
    if (!renderer)
        return;
    const color4b_t& bg = g_var.con.bg.color;
    SDL_SetRenderDrawColor(renderer, bg.r, bg.g, bg.b, bg.a);
    SDL_RenderClear(renderer);
    if (view.visible)
        view.Render(renderer);
    SDL_RenderPresent(renderer);
    dirty = false;
}

int ConWindow::WindowEvent(const SDL_WindowEvent& e)
{
    bool maximised = (Flags() & SDL_WINDOW_MAXIMIZED) != 0;
    switch (e.event) {
    case SDL_WINDOWEVENT_MOVED:
        if (!maximised)
            GetPos(&g_var.con.rect.x, &g_var.con.rect.y);
        break;
    case SDL_WINDOWEVENT_RESIZED:
        if (!maximised)
            SDL_GetWindowSize(window, &g_var.con.rect.w, &g_var.con.rect.h);
        view.SetSize(e.data1, e.data2);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        KeepRect(&g_var.con.rect);
        g_var.con.max = maximised;
        SDL_HideWindow(window);
        break;
    default:
        break;
    }
    return 0;
}
