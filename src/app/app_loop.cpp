#include "app/app_loop.h"

#include "app/app_state.h"
#include "app/data.h"
#include "console/cmdproc.h"
#include "console/con_window.h"
#include "settings/vars.h"
#include "ui/main_win.h"

MainWin win;
ConWindow con;

static const Uint32 IDLE_SLEEP_MS = 50;

static void hook_info_pos(int pos)
{
    win.info.SetVertical(pos == 1 || pos == 3);
    win.UpdateChildRects();
}

static void hook_info_show(bool show)
{
    win.info.visible = show;
    win.UpdateChildRects();
}

static void hook_plot_padding()
{
    win.plot.UpdateScreenRect();
}

static void hook_obj_label_font()
{
    win.UpdateObjLabelFont();
}

static void hook_win_font()
{
    win.UpdateFont();
}

static void hook_con_font()
{
    con.UpdateFont();
}

// After the pipeline has reloaded the catalogue: select the remembered
// satellite again if the new catalogue holds it.
static void reselect(int catnum)
{
    win.SelObj(catnum);
}

// The console's select command selects as a click does.
static void select_obj(object_t* o)
{
    win.SelObj(o);
}

void app_install_win_hooks()
{
    g_varHooks.infoPos = hook_info_pos;
    g_varHooks.infoShow = hook_info_show;
    g_varHooks.plotPadding = hook_plot_padding;
    g_varHooks.objLabelFont = hook_obj_label_font;
    g_varHooks.winFont = hook_win_font;
    g_varHooks.conFont = hook_con_font;
    g_dataReselect = reselect;
    g_conSelObj = select_obj;
}

static bool is_shown(const SdlWindow* w)
{
    return w && (w->Flags() & SDL_WINDOW_SHOWN);
}

void app_dispatch(appLoop_t& loop, const SDL_Event& e)
{
    switch (e.type) {
    case SDL_QUIT:
        loop.quit = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.windowID == win.Id())
            win.WindowEvent(e.window);
        else if (loop.con && e.window.windowID == loop.con->Id())
            loop.con->WindowEvent(e.window);
        break;
    case SDL_KEYDOWN:
        if (is_console_toggle_key(e.key)) {
            if (accept_console_toggle(SDL_GetTicks()))
                loop.togglePending = true;
            break;
        }
        if (e.key.windowID == win.Id())
            win.KeyDownEvent(e.key);
        else if (loop.con && e.key.windowID == loop.con->Id())
            loop.con->view.KeyDownEvent(e.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.windowID == win.Id())
            win.MouseButtonEvent(e.button);
        break;
    default:
        break;
    }
}

// Shows the console, brings it to the front when another window has the
// keyboard, or hides it when it has the keyboard itself.
static void toggle_console(ConWindow* con)
{
    if (!con || !con->window)
        return;
    if (is_shown(con)) {
        if (SDL_GetKeyboardFocus() != con->window) {
            SDL_RaiseWindow(con->window);
            SDL_SetWindowInputFocus(con->window);
        } else {
            SDL_HideWindow(con->window);
        }
    } else {
        SDL_ShowWindow(con->window);
    }
}

// Hidden and not minimised; a window that does not exist counts as hidden.
static bool is_closed(const SdlWindow* w)
{
    if (!w || !w->window)
        return true;
    return (w->Flags() & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == SDL_WINDOW_HIDDEN;
}

void app_idle(appLoop_t& loop, unsigned ms)
{
    // A remembered satellite without a position at start-up or after a reload
    // is selected once an update has computed one.
    if ((tick_data(ms) & DATA_OBJECTS) && !g_var.sel.obj)
        win.SelObj(g_var.sel.catnum);
    win.Animate(ms);
    if (is_shown(&win)) {
        win.Render();
        if (loop.togglePending) {
            toggle_console(loop.con);
            loop.togglePending = false;
        }
    }
    if (is_shown(loop.con))
        loop.con->Render();
    if (is_closed(&win) && is_closed(loop.con))
        loop.quit = true;
}

void app_run(appLoop_t& loop)
{
    SDL_Event e;
    for (;;) {
        while (SDL_PollEvent(&e))
            app_dispatch(loop, e);
        app_idle(loop, sdl_tock());
        SDL_Delay(IDLE_SLEEP_MS);
        if (loop.quit)
            break;
    }
}
