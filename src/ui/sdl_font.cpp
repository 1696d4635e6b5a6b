#include "ui/sdl_font.h"

#include "ui/sdl_surface.h"
#include "ui/sdl_texture.h"

SdlFont::~SdlFont()
{
    Delete();
}

static unsigned s_serial = 0;

void SdlFont::Delete()
{
    if (owned) {
        delete texture;
        texture = nullptr;
        owned = false;
    }
    ink.clear();
    inkPitch = 0;
    oneInk = false;
    inkColor = 0;
    serial = ++s_serial;
}

// The key colour becomes transparent as in the texture; every other pixel
// keeps its alpha.
void SdlFont::CopyInk(SDL_Surface* s)
{
    ink.resize(size_t(s->w) * s->h);
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++) {
        const Uint32* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(s->pixels) + size_t(y) * s->pitch);
        for (int x = 0; x < s->w; x++)
            ink[size_t(y) * s->w + x] = (row[x] & 0x00FFFFFF) == 0 ? 0 : row[x];
    }
    SDL_UnlockSurface(s);
    inkPitch = s->w;
    inkColor = 0;
    oneInk = true;
    for (Uint32 p : ink) {
        if (p == 0)
            continue;
        if (inkColor == 0)
            inkColor = p;
        oneInk = oneInk && p == inkColor && (p >> 24) == 0xFF;
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
    CopyInk(surface.surface);
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
