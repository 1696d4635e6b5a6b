// A window with its renderer; both are owned.
#pragma once
#include <SDL.h>

class SdlWindow {
public:
    SdlWindow() = default;
    SdlWindow(const SdlWindow&) = delete;
    SdlWindow& operator=(const SdlWindow&) = delete;
    virtual ~SdlWindow();

    // 0, or 101 (no window) / 102 (no renderer) with the SDL error saved for
    // the start-up message. After 102 the window stays held.
    int Create(const char* title, SDL_Rect* rect, Uint32 windowFlags, Uint32 rendererFlags);
    // Releases the renderer, then the window, and forgets both; safe to call
    // again. Used at shutdown before SDL_Quit. Windows that own textures
    // release them first.
    virtual void Destroy();
    // Position of the outer frame (client position less the borders).
    void GetPos(int* x, int* y);
    // Stores in r what Create restores the window to: the frame position and
    // the client size. While maximised r keeps the last normal placement.
    void KeepRect(SDL_Rect* r);
    // Window flags, 0 without a window.
    Uint32 Flags() const;
    Uint32 Id() const;

    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
};
