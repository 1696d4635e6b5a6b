// The event loop: routing of events to the windows, the idle pass with the
// data tick and the frames, the console toggle and the quit test.
#pragma once
#include <SDL.h>

class ConWindow;
class MainWin;

extern MainWin win;
extern ConWindow con;

struct appLoop_t {
    // The console window, or null while the program has none; it gets the
    // window and key events of its window, is shown, raised or hidden by the
    // toggle key, drawn while shown and counts in the quit test.
    ConWindow* con = nullptr;
    bool quit = false;
    bool togglePending = false;
};

// Connects the settings hooks that act on the main window and the selection
// after a catalogue reload (the pipeline installs its own hooks beside them).
void app_install_win_hooks();
// Routes one event by its type and window.
void app_dispatch(appLoop_t& loop, const SDL_Event& e);
// One idle pass: data tick, animation, frames, pending toggle, quit test.
void app_idle(appLoop_t& loop, unsigned ms);
// Drains events and runs idle passes (50 ms apart) until the quit flag is set.
void app_run(appLoop_t& loop);
