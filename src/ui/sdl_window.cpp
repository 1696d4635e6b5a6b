#include "ui/sdl_window.h"

#include "app/app_state.h"

SdlWindow::~SdlWindow()
{
    Destroy();
}

int SdlWindow::Create(const char* title, SDL_Rect* rect, Uint32 windowFlags, Uint32 rendererFlags)
{
    window = SDL_CreateWindow(title, rect->x, rect->y, rect->w, rect->h, windowFlags);
    if (!window)
        return save_sdl_err(0, 101);
    renderer = SDL_CreateRenderer(window, -1, rendererFlags);
    if (!renderer)
        return save_sdl_err(0, 102);
    return 0;
}

void SdlWindow::Destroy()
{
    if (renderer) {
        SDL_DestroyRenderer(renderer);
        renderer = nullptr;
    }
    if (window) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
}

void SdlWindow::GetPos(int* x, int* y)
{
    SDL_GetWindowPosition(window, x, y);
    int top = 0, left = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr) == 0) {
        *x -= left;
        *y -= top;
    }
}

void SdlWindow::KeepRect(SDL_Rect* r)
{
    if (!window || (Flags() & SDL_WINDOW_MAXIMIZED))
        return;
    GetPos(&r->x, &r->y);
    SDL_GetWindowSize(window, &r->w, &r->h);
}

Uint32 SdlWindow::Flags() const
{
    return window ? SDL_GetWindowFlags(window) : 0;
}

Uint32 SdlWindow::Id() const
{
    return window ? SDL_GetWindowID(window) : 0;
}
