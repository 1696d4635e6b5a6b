#include "ui/sdl_surface.h"

SdlSurface::~SdlSurface()
{
    Free();
}

void SdlSurface::Free()
{
    if (surface) {
        SDL_FreeSurface(surface);
        surface = nullptr;
    }
}

bool SdlSurface::LoadBmp(const char* file)
{
    Free();
    surface = SDL_LoadBMP_RW(SDL_RWFromFile(file, "rb"), 1);
    return surface != nullptr;
}

bool SdlSurface::LoadBmp(const void* data, int size)
{
    Free();
    SDL_RWops* rw = SDL_RWFromConstMem(data, size);
    if (!rw)
        return false;
    surface = SDL_LoadBMP_RW(rw, 0);
    SDL_RWclose(rw);
    return surface != nullptr;
}

bool SdlSurface::ConvertFormat(Uint32 format, Uint32 flags)
{
    if (!surface)
        return false;
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, format, flags);
    if (!converted)
        return false;
    SDL_FreeSurface(surface);
    surface = converted;
    return true;
}
