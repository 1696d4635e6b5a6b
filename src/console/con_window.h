// The console window: a resizable, software-rendered window, hidden at
// start, holding the console font and the one console view.
#pragma once
#include <SDL.h>

#include "console/con_view.h"
#include "ui/font.h"
#include "ui/sdl_window.h"

class ConWindow : public SdlWindow {
public:
    // Hidden, resizable window at con.rect; 0 or 101/102.
    int Create();
    int Create(SDL_Rect* rect, Uint32 windowFlags, Uint32 rendererFlags);
    // Reloads the font named by con.font and fits the rows and columns to
    // its glyph size. False keeps the old font.
    bool UpdateFont();
    // Draws and presents the console; the window is then up to date.
    void Render();
    // Keeps con.rect and con.max up to date and hides the window on close.
    int WindowEvent(const SDL_WindowEvent& e);
    // Releases the font texture while its renderer still exists, then the
    // renderer and the window.
    void Destroy() override
    {
        font.Delete();
        SdlWindow::Destroy();
    }

    Font font;
    ConView view;
    // The frame on screen no longer shows the console: set by its font, its
    // keys and window events (the event loop) and settings, cleared by Render.
    bool dirty = true;
};
