// Skytrace: start-up, the polling event loop and shutdown.
#include <SDL.h>

#include "app/app_cmdline.h"
#include "app/app_loop.h"
#include "app/app_state.h"
#include "app/data.h"
#include "console/con_window.h"
#include "settings/ini_vars.h"
#include "ui/main_win.h"

int main(int argc, char** argv)
{
    // --help and --version answer before any setting or data is touched.
    const appRequest request = app_request(argc, argv);
    if (request != APP_RUN)
        return app_answer(request, stdout);
    int result = 0;
    var_load();
    init_data(0xF0FF);
    update_data(0x10FF);
    data_install_var_hooks();
    app_install_win_hooks();

    int sdl = SDL_Init(SDL_INIT_VIDEO);
    if (sdl != 0) {
        result = save_sdl_err(sdl, 100);
    } else {
        result = win.Create();
        appLoop_t loop;
        if (result == 0) {
            // A console that fails to open leaves the program without one.
            con.Create();
            loop.con = &con;
            win.companion = &con;
            sdl_tick();
            app_run(loop);
        }
        if (loop.con)
            loop.con->Destroy();
        win.Destroy();
        SDL_Quit();
    }
    free_data(0xF0FF);
    var_save();
    if (result != 0) {
        char text[2048];
        format_start_error(text, sizeof text, result);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Skytrace", text, nullptr);
    }
    return 0;
}
