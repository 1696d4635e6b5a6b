// Every satellite's label at once: each text's glyphs are turned once into a
// one-bit mask of its ink, the masks of a frame are or-ed into a layer the
// size of the view, and the layer is drawn with one copy. Only for fonts
// whose ink is one opaque colour (the built-in one), where overlapping labels
// give the same pixels in any order; a mask is kept while its text is drawn
// in every frame with the same font image.
#pragma once
#include <SDL.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "support/types.h"

class SdlFont;

class LabelLayer {
public:
    LabelLayer() = default;
    LabelLayer(const LabelLayer&) = delete;
    LabelLayer& operator=(const LabelLayer&) = delete;
    ~LabelLayer() { Clear(); }

    // Starts an empty layer of w x h pixels; false (nothing to do) when the
    // font's ink is not one opaque colour: its labels are drawn glyph by glyph.
    bool Begin(SDL_Renderer* r, const SdlFont* font, int w, int h);
    // The text's glyphs with their top left at (x, y) of the layer.
    void Add(long long x, long long y, const char* text);
    // Draws the layer at the viewport's origin, its ink in the colour as the
    // font's colour modulation gives it, and forgets the masks of texts not
    // added since Begin.
    void End(const color4b_t& c);
    // Releases the texture and the masks; needed before the renderer goes.
    void Clear();
    size_t MaskCount() const { return m_masks.size(); }

private:
    struct mask_t {
        std::vector<uint64_t> bits;  // glyph-height rows of `words` words; bit i is pixel i
        int words;
        unsigned frame;  // the last frame that added it
    };
    mask_t& Mask(const char* text, int n);

    std::unordered_map<std::string, mask_t> m_masks;
    std::string m_key;
    std::vector<uint64_t> m_layer;  // m_h rows of m_words words
    int m_w = 0, m_h = 0, m_words = 0;
    SDL_Texture* m_texture = nullptr;
    int m_texW = 0, m_texH = 0;
    SDL_Renderer* m_renderer = nullptr;
    const SdlFont* m_font = nullptr;
    unsigned m_fontSerial = 0;
    unsigned m_frame = 0;
    bool m_open = false;
};
