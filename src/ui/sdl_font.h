// Bitmap font: one texture holding a 16 x 16 grid of glyphs, one per byte
// value, drawn glyph by glyph. Glyph ink is white, so the texture's colour
// modulation is the text colour.
#pragma once
#include <SDL.h>

#include <vector>

class SdlSurface;
class SdlTexture;

class SdlFont {
public:
    SdlFont() = default;
    SdlFont(const SdlFont&) = delete;
    SdlFont& operator=(const SdlFont&) = delete;
    ~SdlFont();

    // Builds the glyph texture from the surface (converted to ARGB8888 with
    // pure black transparent). False when the conversion fails (the font is
    // unchanged) or the texture cannot be made (the font is then empty).
    bool Create(SdlSurface& surface, SDL_Renderer* renderer);
    void Delete();
    // Glyph size and rectangles from the texture size.
    void UpdateCharInfo();
    // Draws glyph ch (0 to 255) with its top left at (x, y).
    void RenderChar(int x, int y, int ch);
    // Draws a string; a line feed returns to x one line lower.
    void RenderStr(int x, int y, const char* s);
    // Text colour for the next strings.
    void SetColor(Uint8 r, Uint8 g, Uint8 b);

    SdlTexture* texture = nullptr;
    bool owned = false;
    // The glyph image as the texture holds it (ARGB8888 rows of inkPitch
    // pixels, the transparent black at alpha 0), for drawing text into
    // textures of its own; empty for a font without an image.
    std::vector<Uint32> ink;
    int inkPitch = 0;
    // True when every visible pixel of the image is the one opaque colour
    // inkColor (ARGB), as in a two-colour bitmap font.
    bool oneInk = false;
    Uint32 inkColor = 0;
    // Differs for every image any font was created from, so that what was
    // drawn with one image is not taken for another.
    unsigned serial = 0;
    int glyphW = 0;
    int glyphH = 0;
    SDL_Rect glyphs[256] = {};
    SDL_Rect draw = {0, 0, 0, 0};  // pen position and drawn glyph size

private:
    void CopyInk(SDL_Surface* s);
};
