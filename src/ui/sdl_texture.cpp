#include "ui/sdl_texture.h"

#include "ui/sdl_surface.h"

SdlTexture::~SdlTexture()
{
    if (texture)
        SDL_DestroyTexture(texture);
}

bool SdlTexture::Create(SdlSurface& surface, SDL_Renderer* r)
{
    if (!surface.surface)
        return false;
    SDL_Texture* t = SDL_CreateTextureFromSurface(r, surface.surface);
    if (!t)
        return false;
    if (texture)
        SDL_DestroyTexture(texture);
    texture = t;
    renderer = r;
    width = surface.surface->w;
    height = surface.surface->h;
    return true;
}
