// Owner of one SDL_Surface.
#pragma once
#include <SDL.h>

class SdlSurface {
public:
    SdlSurface() = default;
    SdlSurface(const SdlSurface&) = delete;
    SdlSurface& operator=(const SdlSurface&) = delete;
    ~SdlSurface();

    // Loads a BMP file; true when a surface was obtained.
    bool LoadBmp(const char* file);
    // Loads a BMP image held in memory; true when a surface was obtained.
    bool LoadBmp(const void* data, int size);
    // Replaces the surface by a copy in another pixel format; on failure the
    // old surface is kept and the result is false.
    bool ConvertFormat(Uint32 format, Uint32 flags);
    void Free();

    SDL_Surface* surface = nullptr;
};
