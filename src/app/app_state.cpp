#include "app/app_state.h"

#include <cstdio>

#include "support/str.h"
#include "support/types.h"

static int s_sdlErr = 108;
static char s_sdlMsg[TEXT_CAP];
static uint32_t s_tick;
static uint32_t s_toggleTicks;  // last accepted toggle, 0 when none yet

int save_sdl_err(int sdlCode, int appCode)
{
    if (s_sdlErr == 108) {
        s_sdlErr = sdlCode;
        str_copy(s_sdlMsg, SDL_GetError(), TEXT_CAP);
    }
    return appCode;
}

const char* get_sdl_err(int* code)
{
    *code = s_sdlErr;
    return s_sdlMsg;
}

void reset_sdl_err()
{
    s_sdlErr = 108;
    s_sdlMsg[0] = '\0';
}

uint32_t sdl_tick()
{
    s_tick = SDL_GetTicks();
    return s_tick;
}

uint32_t sdl_tock()
{
    uint32_t now = SDL_GetTicks();
    uint32_t elapsed = now - s_tick;  // unsigned: a wrapped counter still works
    s_tick = now;
    return elapsed;
}

bool is_console_toggle_key(const SDL_KeyboardEvent& key)
{
    return key.keysym.sym == SDLK_BACKQUOTE && (key.keysym.mod & TOGGLE_BLOCKING_MODS) == 0;
}

bool accept_console_toggle(uint32_t now)
{
    if (s_toggleTicks != 0 && now - s_toggleTicks < 301)
        return false;
    s_toggleTicks = now;
    return true;
}

void reset_console_toggle()
{
    s_toggleTicks = 0;
}

void format_start_error(char* text, size_t cap, int code)
{
    int n = std::snprintf(text, cap, "Error %d", code);
    if (n < 0 || static_cast<size_t>(n) >= cap || code < 100 || code > 107)
        return;
    int sdlCode = 0;
    const char* msg = get_sdl_err(&sdlCode);
    if (sdlCode != 0)
        std::snprintf(text + n, cap - n, "\n\nSDL Error %d:\n%s", sdlCode, msg);
    else
        std::snprintf(text + n, cap - n, "\n\nSDL Error:\n%s", msg);
}
