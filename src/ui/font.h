// The fonts the windows own: a BMP file named by a setting, or the built-in
// 10 x 16 code-page-437 font when that name does not give a usable image.
#pragma once
#include <cstddef>

#include "ui/sdl_font.h"

extern const unsigned char font_1016pc_mem[];
extern const size_t font_1016pc_size;

class Font : public SdlFont {
public:
    // (Re)creates the font from the support file name, falling back silently
    // to the built-in image; false only when no image could be turned into a
    // texture.
    bool Load(const char* name, SDL_Renderer* renderer);
};
