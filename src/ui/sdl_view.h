// Base of the rectangular views a window draws.
#pragma once
#include <SDL.h>

#include "support/types.h"

class SdlFont;

class SdlView {
public:
    virtual void Render(SDL_Renderer*) {}
    virtual ~SdlView() = default;
    // Fills the whole view (with the viewport set to rect) with the colour.
    void Fill(SDL_Renderer* r, const color4b_t* c);

    bool visible = false;
    SDL_Rect rect = {0, 0, 0, 0};  // place in the window, window pixels
    SdlFont* font = nullptr;       // not owned
};
