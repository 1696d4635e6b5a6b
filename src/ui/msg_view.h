// A short text on a translucent dark box in the middle of the main window,
// shown for two seconds (the name of a newly chosen projection).
#pragma once
#include "support/types.h"
#include "ui/sdl_view.h"

class MsgView : public SdlView {
public:
    void Render(SDL_Renderer* r) override;
    // Keeps at most 256 characters and sizes the view around them.
    void SetText(const char* text);
    // Shows or hides the box and restarts its display time.
    void Show(bool show);
    // Adds ms to the display time; hides the box at 2000 ms.
    void Animate(unsigned ms);

    static const unsigned LIFE_MS = 2000;
    color4b_t bgColor = {0, 0, 0, 192};
    color4b_t textColor = {255, 255, 255, 255};
    uint32_t elapsed = 0;
    char text[257] = "";
    int padding = 20;
};
