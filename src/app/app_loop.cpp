#include "app/app_loop.h"

#include <cstring>

#include "app/app_state.h"
#include "app/data.h"
#include "console/cmdproc.h"
#include "console/con_window.h"
#include "settings/vars.h"
#include "ui/main_win.h"

MainWin win;
ConWindow con;

static const Uint32 IDLE_SLEEP_MS = 50;

// What the windows were last found to show: the pipeline's change count and
// the settings record. Any difference makes them stale, whatever path (key,
// console command, hook, settings file) changed it.
static uint64_t s_seenSerial = 0;
static var_t s_seenVar;

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

// Every event routed to a window marks it stale: exposure, resizing, keys
// and clicks may all change what it has to show.
void app_dispatch(appLoop_t& loop, const SDL_Event& e)
{
    switch (e.type) {
    case SDL_QUIT:
        loop.quit = true;
        break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
        win.dirty = true;
        if (loop.con)
            loop.con->dirty = true;
        break;
    case SDL_WINDOWEVENT:
        if (e.window.windowID == win.Id()) {
            win.dirty = true;
            win.WindowEvent(e.window);
        } else if (loop.con && e.window.windowID == loop.con->Id()) {
            loop.con->dirty = true;
            loop.con->WindowEvent(e.window);
        }
        break;
    case SDL_KEYDOWN:
        if (is_console_toggle_key(e.key)) {
            if (accept_console_toggle(SDL_GetTicks()))
                loop.togglePending = true;
            break;
        }
        if (e.key.windowID == win.Id()) {
            win.dirty = true;
            win.KeyDownEvent(e.key);
        } else if (loop.con && e.key.windowID == loop.con->Id()) {
            loop.con->dirty = true;
            loop.con->view.KeyDownEvent(e.key);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (e.button.windowID == win.Id()) {
            win.dirty = true;
            win.MouseButtonEvent(e.button);
        }
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
    con->dirty = true;
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

// Marks the windows stale after a change of the data (the map) or of the
// settings (both: the console has its colours and font too).
static void note_changes(ConWindow* con)
{
    if (data_serial() != s_seenSerial) {
        s_seenSerial = data_serial();
        win.dirty = true;
    }
    if (memcmp(&g_var, &s_seenVar, sizeof g_var) != 0) {
        memcpy(&s_seenVar, &g_var, sizeof g_var);
        win.dirty = true;
        if (con)
            con->dirty = true;
    }
}

void app_idle(appLoop_t& loop, unsigned ms)
{
    // A remembered satellite without a position at start-up or after a reload
    // is selected once an update has computed one.
    if ((tick_data(ms) & DATA_OBJECTS) && !g_var.sel.obj)
        win.SelObj(g_var.sel.catnum);
    win.Animate(ms);
    note_changes(loop.con);
    // A window is drawn only when something it shows has changed.
    if (is_shown(&win)) {
        if (win.dirty)
            win.Render();
        if (loop.togglePending) {
            toggle_console(loop.con);
            loop.togglePending = false;
        }
    }
    if (is_shown(loop.con) && loop.con->dirty)
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
