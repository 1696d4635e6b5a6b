// Owner of one SDL_Texture, with the renderer it belongs to and its size.
#pragma once
#include <SDL.h>

class SdlSurface;

class SdlTexture {
public:
    SdlTexture() = default;
    SdlTexture(const SdlTexture&) = delete;
    SdlTexture& operator=(const SdlTexture&) = delete;
    ~SdlTexture();

    // Creates the texture from the surface; false when SDL refuses.
    bool Create(SdlSurface& surface, SDL_Renderer* renderer);

    SDL_Texture* texture = nullptr;
    SDL_Renderer* renderer = nullptr;  // not owned
    int width = 0;
    int height = 0;
};
