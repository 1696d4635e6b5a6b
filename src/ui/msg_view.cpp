#include "ui/msg_view.h"

#include <cstring>

#include "ui/sdl_font.h"

void MsgView::SetText(const char* s)
{
    size_t n = strnlen(s, sizeof text - 1);
    memcpy(text, s, n);
    text[n] = '\0';
    int gw = font ? font->draw.w : 0;
    int gh = font ? font->draw.h : 0;
    rect.w = static_cast<int>(n) * gw + 2 * padding;
    rect.h = gh + 2 * padding;
}

void MsgView::Show(bool show)
{
    visible = show;
    elapsed = 0;
}

void MsgView::Animate(unsigned ms)
{
    elapsed += ms;
    if (elapsed >= LIFE_MS) {
        visible = false;
        elapsed = 0;
    }
}

void MsgView::Render(SDL_Renderer* r)
{
    SDL_RenderSetViewport(r, &rect);
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetRenderDrawBlendMode(r, &mode);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_BLEND);
    Fill(r, &bgColor);
    SDL_SetRenderDrawBlendMode(r, mode);
    if (font) {
        font->SetColor(textColor.r, textColor.g, textColor.b);
        font->RenderStr(padding, padding, text);
    }
    SDL_SetRenderDrawBlendMode(r, mode);
    SDL_RenderSetViewport(r, nullptr);
}
