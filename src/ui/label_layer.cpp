#include "ui/label_layer.h"

#include <cstring>
#include <iterator>

#include "ui/sdl_font.h"

void LabelLayer::Clear()
{
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    m_texture = nullptr;
    m_texW = m_texH = 0;
    m_masks.clear();
    m_open = false;
}

bool LabelLayer::Begin(SDL_Renderer* r, const SdlFont* font, int w, int h)
{
    m_open = false;
    if (!font || !font->oneInk || font->draw.w <= 0 || font->draw.h <= 0 || w <= 0 || h <= 0) {
        Clear();
        return false;
    }
    if (r != m_renderer || font != m_font || font->serial != m_fontSerial)
        Clear();
    m_renderer = r;
    m_font = font;
    m_fontSerial = font->serial;
    m_w = w;
    m_h = h;
    m_words = (w + 63) / 64;
    m_layer.assign(size_t(m_words) * h, 0);
    m_frame++;
    m_open = true;
    return true;
}

LabelLayer::mask_t& LabelLayer::Mask(const char* text, int n)
{
    m_key.assign(text, size_t(n));
    auto it = m_masks.find(m_key);
    if (it != m_masks.end())
        return it->second;
    const SdlFont& f = *m_font;
    const int gw = f.draw.w, gh = f.draw.h, words = (n * gw + 63) / 64;
    mask_t m = {std::vector<uint64_t>(size_t(words) * gh, 0), words, 0};
    for (int i = 0; i < n; i++) {
        const SDL_Rect& g = f.glyphs[static_cast<unsigned char>(text[i])];
        for (int y = 0; y < gh; y++) {
            const Uint32* src = &f.ink[size_t(g.y + y) * f.inkPitch + g.x];
            uint64_t* row = &m.bits[size_t(y) * words];
            for (int x = 0; x < gw; x++)
                if (src[x] >> 24) {
                    const int bit = i * gw + x;
                    row[bit >> 6] |= uint64_t(1) << (bit & 63);
                }
        }
    }
    return m_masks.emplace(m_key, std::move(m)).first->second;
}

// ORs a row of mask words into a layer row with the mask's bit 0 at pixel
// `at`, which may lie left of the row or beyond it.
static void or_row(uint64_t* dst, int dstWords, const uint64_t* src, int srcWords, long long at)
{
    for (int j = 0; j < srcWords; j++) {
        const uint64_t v = src[j];
        const long long pos = at + 64LL * j;
        if (pos >= 64LL * dstWords)
            return;
        if (v == 0 || pos <= -64)
            continue;
        if (pos < 0) {
            dst[0] |= v >> -pos;
            continue;
        }
        const long long wi = pos >> 6;
        const int s = static_cast<int>(pos & 63);
        dst[wi] |= v << s;
        if (s != 0 && wi + 1 < dstWords)
            dst[wi + 1] |= v >> (64 - s);
    }
}

void LabelLayer::Add(long long x, long long y, const char* text)
{
    const int n = static_cast<int>(strlen(text));
    if (!m_open || n == 0)
        return;
    const int gh = m_font->draw.h;
    if (x >= m_w || y >= m_h || y + gh <= 0 || x + static_cast<long long>(n) * m_font->draw.w <= 0)
        return;
    mask_t& m = Mask(text, n);
    m.frame = m_frame;
    for (int row = 0; row < gh; row++) {
        const long long ly = y + row;
        if (ly >= 0 && ly < m_h)
            or_row(&m_layer[size_t(ly) * m_words], m_words, &m.bits[size_t(row) * m.words], m.words, x);
    }
}

void LabelLayer::End(const color4b_t& c)
{
    if (!m_open)
        return;
    m_open = false;
    for (auto it = m_masks.begin(); it != m_masks.end();)
        it = it->second.frame != m_frame ? m_masks.erase(it) : std::next(it);
    if (!m_texture || m_texW != m_w || m_texH != m_h) {
        if (m_texture)
            SDL_DestroyTexture(m_texture);
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, m_w, m_h);
        if (!m_texture)
            return;
        m_texW = m_w;
        m_texH = m_h;
        SDL_SetTextureBlendMode(m_texture, SDL_BLENDMODE_BLEND);
    }
    // The ink as the glyph texture's colour modulation makes it.
    const Uint32 ink = m_font->inkColor;
    const Uint32 pixel = (ink & 0xFF000000) | (((ink >> 16) & 0xFF) * c.r / 255) << 16 |
                         (((ink >> 8) & 0xFF) * c.g / 255) << 8 | ((ink & 0xFF) * c.b / 255);
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(m_texture, nullptr, &pixels, &pitch) != 0)
        return;
    for (int y = 0; y < m_h; y++) {
        Uint32* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) + size_t(y) * pitch);
        const uint64_t* bits = &m_layer[size_t(y) * m_words];
        for (int x0 = 0; x0 < m_w; x0 += 64) {
            const uint64_t v = bits[x0 >> 6];
            const int n = m_w - x0 < 64 ? m_w - x0 : 64;
            if (v == 0) {
                memset(out + x0, 0, size_t(n) * 4);
                continue;
            }
            for (int i = 0; i < n; i++)
                out[x0 + i] = (v >> i) & 1 ? pixel : 0;
        }
    }
    SDL_UnlockTexture(m_texture);
    const SDL_Rect dst = {0, 0, m_w, m_h};
    SDL_RenderCopy(m_renderer, m_texture, nullptr, &dst);
}
