// Process-wide state of the event loop: the saved SDL error, the frame tick,
// the console toggle debounce and the start-up error text.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>

// Keeps the first SDL failure (its code and SDL_GetError text); returns
// appCode unchanged so a failing function can return this call directly.
int save_sdl_err(int sdlCode, int appCode);
// The saved SDL code (108 while nothing was saved) and text.
const char* get_sdl_err(int* code);
// Forgets the saved error (for tests).
void reset_sdl_err();

// Stores and returns SDL_GetTicks().
uint32_t sdl_tick();
// Milliseconds since the previous tick, modulo 2^32; stores the new tick.
uint32_t sdl_tock();

// Modifier bits that stop the backquote from being the console toggle:
// Shift, Ctrl, Alt and GUI (Num Lock, Caps Lock and Mode are allowed).
constexpr uint16_t TOGGLE_BLOCKING_MODS = 0x0FC3;

// True when the key event is the console toggle key (backquote without
// blocking modifiers), whether or not the debounce accepts it.
bool is_console_toggle_key(const SDL_KeyboardEvent& key);
// Debounce: the first toggle, or one at least 301 ms after the last accepted
// one, is accepted (now becomes the last accepted tick).
bool accept_console_toggle(uint32_t now);
void reset_console_toggle();

// The text of the start-up failure message box for a result code.
void format_start_error(char* text, size_t cap, int code);
