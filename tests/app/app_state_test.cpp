#include <cstring>
#include <utility>

#include "app/app_state.h"
#include "test_util.h"

static SDL_KeyboardEvent key(SDL_Keycode sym, Uint16 mod)
{
    return {SDL_KEYDOWN, 0, 0, SDL_PRESSED, 0, 0, 0, {SDL_SCANCODE_UNKNOWN, sym, mod, 0}};
}

TEST(ConsoleToggle, BackquoteWithoutShiftCtrlAltOrGuiAndDebounced)
{
    EXPECT_TRUE(is_console_toggle_key(key(SDLK_BACKQUOTE, KMOD_NONE)) &&
                is_console_toggle_key(key(SDLK_BACKQUOTE, KMOD_NUM | KMOD_CAPS | KMOD_MODE)));
    for (Uint16 m : {KMOD_LSHIFT, KMOD_RSHIFT, KMOD_LCTRL, KMOD_RCTRL, KMOD_LALT, KMOD_RALT, KMOD_LGUI, KMOD_RGUI})
        EXPECT_FALSE(is_console_toggle_key(key(SDLK_BACKQUOTE, m))) << m;
    EXPECT_FALSE(is_console_toggle_key(key(SDLK_a, KMOD_NONE)));

    // A second press within 300 ms is swallowed.
    reset_console_toggle();
    for (auto [t, want] : {std::pair{1000u, true}, {1100u, false}, {1300u, false}, {1301u, true}})
        EXPECT_EQ(accept_console_toggle(t), want) << t;
    // A tick counter that wrapped still measures the true interval.
    reset_console_toggle();
    for (auto [t, want] : {std::pair{0xFFFFFF00u, true}, {0x10u, false}, {0x100u, true}})
        EXPECT_EQ(accept_console_toggle(t), want) << t;
    reset_console_toggle();
}

TEST(StartError, MessageTextsAndFirstSavedError)
{
    reset_sdl_err();
    char text[2048];
    SDL_SetError("first");
    EXPECT_EQ(save_sdl_err(0, 101), 101);
    SDL_SetError("second");
    EXPECT_EQ(save_sdl_err(-5, 102), 102);  // the first error is kept
    int code = 0;
    EXPECT_TRUE(!strcmp(get_sdl_err(&code), "first") && code == 0);
    format_start_error(text, sizeof text, 101);
    EXPECT_STREQ(text, "Error 101\n\nSDL Error:\nfirst");

    reset_sdl_err();
    SDL_SetError("no video");
    save_sdl_err(-1, 100);
    format_start_error(text, sizeof text, 100);
    EXPECT_STREQ(text, "Error 100\n\nSDL Error -1:\nno video");
    format_start_error(text, sizeof text, 108);
    EXPECT_STREQ(text, "Error 108");
    reset_sdl_err();
}
