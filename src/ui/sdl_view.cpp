#include "ui/sdl_view.h"

void SdlView::Fill(SDL_Renderer* r, const color4b_t* c)
{
    SDL_SetRenderDrawColor(r, c->r, c->g, c->b, c->a);
    SDL_Rect all = {0, 0, rect.w, rect.h};
    SDL_RenderFillRect(r, &all);
}
