#include "console/con_view.h"

#include "settings/vars.h"
#include "ui/sdl_font.h"

namespace {

struct keyChar_t {
    int key;
    int ch;
};

const keyChar_t s_shift[] = {
    {'`', '~'}, {'1', '!'}, {'2', '@'}, {'3', '#'}, {'4', '$'},  {'5', '%'},  {'6', '^'},
    {'7', '&'}, {'8', '*'}, {'9', '('}, {'0', ')'}, {'[', '{'},  {']', '}'},  {'\\', '|'},
    {'-', '_'}, {'=', '+'}, {';', ':'}, {'\'', '"'}, {',', '<'}, {'.', '>'}, {'/', '?'},
    {0, 0},
};

const keyChar_t s_keypad[] = {
    {SDLK_KP_1, '1'}, {SDLK_KP_2, '2'}, {SDLK_KP_3, '3'},      {SDLK_KP_4, '4'},
    {SDLK_KP_5, '5'}, {SDLK_KP_6, '6'}, {SDLK_KP_7, '7'},      {SDLK_KP_8, '8'},
    {SDLK_KP_9, '9'}, {SDLK_KP_0, '0'}, {SDLK_KP_DIVIDE, '/'}, {SDLK_KP_MULTIPLY, '*'},
    {SDLK_KP_MINUS, '-'}, {SDLK_KP_PLUS, '+'}, {SDLK_KP_PERIOD, '.'},
    {0, 0},
};

int lookup(const keyChar_t* table, int key)
{
    for (; table->key != 0; ++table)
        if (table->key == key)
            return table->ch;
    return key;
}

const Uint16 MOD_SHIFT = KMOD_LSHIFT | KMOD_RSHIFT;
const Uint16 MOD_SHIFT_CTRL = MOD_SHIFT | KMOD_LCTRL | KMOD_RCTRL;
const Uint16 MOD_ALT = KMOD_LALT | KMOD_RALT;
const Uint16 MOD_GUI = KMOD_LGUI | KMOD_RGUI;

}  // namespace

int ConView::MapShiftCode(int key)
{
    return lookup(s_shift, key);
}

int ConView::MapKeyPadCode(int key)
{
    return lookup(s_keypad, key);
}

void ConView::SetSize(int w, int h)
{
    if (font) {
        int gw = font->draw.w;
        int gh = font->draw.h;
        columns = gw > 0 && w > 0 ? w / gw : 0;
        rows = gh > 0 && h > 0 ? h / gh : 0;
        console.SetSize(static_cast<unsigned long>(rows), static_cast<unsigned long>(columns));
    }
    rect.w = w;
    rect.h = h;
}

void ConView::Render(SDL_Renderer* r)
{
    if (!font)
        return;
    const color4b_t& fg = g_var.con.fg.color;
    const color4b_t& bg = g_var.con.bg.color;
    int gw = font->draw.w;
    int gh = font->draw.h;
    font->SetColor(fg.r, fg.g, fg.b);
    // Glyph by glyph: a line feed pasted into a line is a character of its
    // row, drawn as its glyph, not a break that would spill onto the next row.
    int y = 0;
    for (const char* row = console.FirstVisibleLine(); row; row = console.NextVisibleLine()) {
        int x = 0;
        for (const unsigned char* p = reinterpret_cast<const unsigned char*>(row); *p; ++p, x += gw)
            font->RenderChar(x, y, *p);
        y += gh;
    }
    unsigned long row = 0, col = 0;
    if (!console.IsCursorVisible(row, col))
        return;
    // An inverse-video block: the cell in the text colour, its character in
    // the background colour.
    SDL_Rect cell = {static_cast<int>(col) * gw, static_cast<int>(row) * gh, gw, gh};
    SDL_SetRenderDrawColor(r, fg.r, fg.g, fg.b, 255);
    SDL_RenderFillRect(r, &cell);
    font->SetColor(bg.r, bg.g, bg.b);
    font->RenderChar(cell.x, cell.y, console.GetInput().CurChr());
}

int ConView::KeyDownEvent(const SDL_KeyboardEvent& e)
{
    const Uint16 m = e.keysym.mod;
    const SDL_Keycode key = e.keysym.sym;
    if (m & MOD_ALT)
        return -1;
    if (m & MOD_GUI) {
        if (m & MOD_SHIFT_CTRL)
            return -1;
        switch (key) {
        case SDLK_HOME: console.Scroll(CS_TOP); break;
        case SDLK_END: console.Scroll(CS_BOTTOM); break;
        case SDLK_PAGEUP: console.Scroll(CS_PAGE_UP); break;
        case SDLK_PAGEDOWN: console.Scroll(CS_PAGE_DOWN); break;
        case SDLK_UP: console.Scroll(CS_LINE_UP); break;
        case SDLK_DOWN: console.Scroll(CS_LINE_DOWN); break;
        case SDLK_v:
            if (char* text = SDL_GetClipboardText()) {
                console.Input(CI_PUTSTR, text);
                SDL_free(text);
            }
            break;
        default: return -1;
        }
        return 0;
    }
    switch (key) {
    case SDLK_BACKSPACE: console.Input(CI_BACKSPACE); return 0;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: console.Execute(); return 0;
    case SDLK_DELETE: console.Input(CI_DELETE); return 0;
    case SDLK_INSERT: console.Input(CI_TOGGLE_INS); return 0;
    case SDLK_HOME: console.Input(CI_START); return 0;
    case SDLK_END: console.Input(CI_END); return 0;
    case SDLK_RIGHT: console.Input(CI_RIGHT); return 0;
    case SDLK_LEFT: console.Input(CI_LEFT); return 0;
    case SDLK_DOWN: console.HistoryForward(); return 0;
    case SDLK_UP: console.HistoryBackward(); return 0;
    default: break;
    }
    int c = key;
    if (c >= 'a' && c <= 'z') {
        if (m & (KMOD_CAPS | MOD_SHIFT))
            c -= 32;
    } else if (m & MOD_SHIFT) {
        c = MapShiftCode(c);
    } else {
        c = MapKeyPadCode(c);
    }
    if (c >= 32 && c <= 126)
        console.Input(CI_PUTCHR, static_cast<uintptr_t>(c));
    return 0;
}
