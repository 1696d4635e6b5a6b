// The map window: plot, info panel and message overlay, the window and label
// fonts, and the keys, clicks and window changes that steer them.
#pragma once
#include "ui/font.h"
#include "ui/info_view.h"
#include "ui/msg_view.h"
#include "ui/plot_view.h"
#include "ui/sdl_window.h"

struct object_t;

class MainWin : public SdlWindow {
public:
    // Shown, resizable, software-rendered window at win.rect.
    int Create();
    // 0, 101/102 from the window, or -1 when a font cannot be loaded.
    int Create(SDL_Rect* rect, Uint32 windowFlags, Uint32 rendererFlags);
    // Releases the label and font textures, then the renderer and the window
    // (the textures must go while their renderer still exists).
    void Destroy() override;
    int LoadFonts();
    bool UpdateFont();
    bool UpdateObjLabelFont();
    void UpdateChildRects();
    // Draws and presents the frame; the window is then up to date.
    void Render();
    // Advances the message box's display time.
    void Animate(unsigned ms);
    void ShowMsg(const char* text);

    // 1 when the key was handled, -1 when not.
    int KeyDownEvent(const SDL_KeyboardEvent& e);
    int MouseButtonEvent(const SDL_MouseButtonEvent& e);
    int WindowEvent(const SDL_WindowEvent& e);

    // Selects o when its position has been computed; otherwise nothing
    // changes. sel.catnum follows the selection.
    void SelObj(object_t* o);
    // The first satellite with that number, as above.
    void SelObj(int catnum);
    // p relative to the plot view.
    void SelObj(SDL_Point& p);
    // The next or prior satellite with a position, wrapping; nothing without
    // a selection.
    void SelNextObj();
    void SelPriorObj();

    // O, F and N: a layer's show setting inverted, its data brought up to
    // date, "<name> on" or "<name> off" shown; 1.
    int ToggleLayer(bool& show, int dataset, const char* name);

    // Key modifiers that count for the key table: Shift, Ctrl, Alt and GUI.
    static const Uint16 KEY_MODS = 0x0FC3;

    Font winFont;
    Font labelFont;
    InfoView info;
    PlotView plot;
    MsgView msg;
    // The console window, hidden together with this one on close and its
    // rectangle kept in con.rect; null while there is none.
    SdlWindow* companion = nullptr;
    // The frame on screen no longer shows the state: set by whatever changes
    // what the window shows (the event loop adds data, settings and events),
    // cleared by Render.
    bool dirty = true;
};
