// The panel of figures of the selected satellite: a band of four text rows
// (panel at the top or bottom) or a column 25 characters wide (left, right).
#pragma once
#include <cstddef>

#include "ui/sdl_view.h"

// An angle in radians as degrees, "%8.2f" of its size, the degree sign (248
// in code page 437) and pos or neg by its sign.
void info_format_angle(char* buf, size_t cap, float rad, char pos, char neg);

struct infoItem_t {
    const char* label;
    int hRow, hCol;  // cell in the horizontal layout
    int vRow, vCol;  // cell in the vertical layout
    SDL_Point labelPos, valuePos;  // pixels, from UpdateTextPos
};

class InfoView : public SdlView {
public:
    void Render(SDL_Renderer* r) override;
    void SetVertical(bool v);
    void SetFont(SdlFont* f);
    // Label and value positions from the font's glyph size.
    void UpdateTextPos();

    // The rows of the panel, ended by a record with a null label.
    static infoItem_t s_items[];
    bool vertical = true;
};
