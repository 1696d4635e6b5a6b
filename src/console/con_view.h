// The console view: draws the console model's visible rows with a block
// cursor and turns the console window's keys into editing, history,
// scrolling and paste operations.
#pragma once
#include <SDL.h>

#include "console/console.h"
#include "ui/sdl_view.h"

class ConView : public SdlView {
public:
    void Render(SDL_Renderer* r) override;
    // Whole glyph cells that fit w x h pixels become the model's rows and
    // columns (only with a font); the view takes the size in every case.
    void SetSize(int w, int h);
    // 0 when the key was consumed (also when it typed nothing), -1 when the
    // view does not handle it.
    int KeyDownEvent(const SDL_KeyboardEvent& e);

    // The character a key gives with Shift on a US layout, and the character
    // of a keypad key; other key codes come back unchanged.
    static int MapShiftCode(int key);
    static int MapKeyPadCode(int key);

    CConsole console;
    int columns = 0;
    int rows = 0;
};
