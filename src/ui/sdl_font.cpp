#include "ui/sdl_font.h"

#include "ui/sdl_surface.h"
#include "ui/sdl_texture.h"

SdlFont::~SdlFont()
{
    Delete();
}

void SdlFont::Delete()
{
    if (owned) {
        delete texture;
        texture = nullptr;
        owned = false;
    }
}

bool SdlFont::Create(SdlSurface& surface, SDL_Renderer* renderer)
{
    if (!surface.ConvertFormat(SDL_PIXELFORMAT_ARGB8888, 0))
        return false;
    SDL_SetColorKey(surface.surface, SDL_TRUE, SDL_MapRGB(surface.surface->format, 0, 0, 0));
    Delete();
    texture = new SdlTexture;
    owned = true;
    if (!texture->Create(surface, renderer))
        return false;
    UpdateCharInfo();
    return true;
}

void SdlFont::UpdateCharInfo()
{
    int w = texture ? texture->width : 0;
    int h = texture ? texture->height : 0;
    glyphW = w / 16;
    glyphH = h / 16;
    draw.w = glyphW;
    draw.h = glyphH;
    int x = 0, y = 0;
    for (int c = 0; c < 256; c++) {
        glyphs[c] = {x, y, glyphW, glyphH};
        x += glyphW;
        if (x >= w) {
            x = 0;
            y += glyphH;
        }
    }
}

void SdlFont::RenderChar(int x, int y, int ch)
{
    if (!texture || !texture->texture)
        return;
    draw.x = x;
    draw.y = y;
    SDL_RenderCopy(texture->renderer, texture->texture, &glyphs[ch & 0xFF], &draw);
}

void SdlFont::RenderStr(int x, int y, const char* s)
{
    if (!texture || !texture->texture)
        return;
    draw.x = x;
    draw.y = y;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; p++) {
        if (*p == '\n') {
            draw.x = x;
            draw.y += draw.h;
            continue;
        }
        SDL_RenderCopy(texture->renderer, texture->texture, &glyphs[*p], &draw);
        draw.x += draw.w;
    }
}

void SdlFont::SetColor(Uint8 r, Uint8 g, Uint8 b)
{
    if (texture && texture->texture)
        SDL_SetTextureColorMod(texture->texture, r, g, b);
}
