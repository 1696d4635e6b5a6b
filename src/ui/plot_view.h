// The map: grid, coastlines, satellites with their labels and the ground
// track of the selected satellite, all read from the pipeline's screen level.
#pragma once
#include <vector>

#include "ui/label_layer.h"
#include "ui/sdl_view.h"

struct object_t;

class PlotView : public SdlView {
public:
    void Render(SDL_Renderer* r) override;
    // Stores the view's place and fits the map into it (less the padding).
    void SetRect(const SDL_Rect* r);
    void UpdateScreenRect();
    // The drawn satellite nearest to (x, y), relative to the view; null when
    // no satellite has a position.
    object_t* NearestObj(int x, int y);

    // Label x for a satellite square: right-aligned to the square's right edge
    // over the eastern hemisphere (longitude 0 included), left-aligned to its
    // left edge over the western one. Kept inside the int range.
    static int LabelX(const SDL_Rect& square, float lonRad, int chars, int glyphW);
    static int LabelY(const SDL_Rect& square, int glyphH);

    // Every satellite's label (label show 1) in one layer; released with the
    // window's renderer.
    LabelLayer labels;

private:
    void RenderObjects(SDL_Renderer* r);
    void RenderLabels(SDL_Renderer* r);
    void RenderPath(SDL_Renderer* r);
};
