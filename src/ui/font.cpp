#include "ui/font.h"

#include "app/app_paths.h"
#include "support/types.h"
#include "ui/sdl_surface.h"

bool Font::Load(const char* name, SDL_Renderer* renderer)
{
    char path[TEXT_CAP];
    SdlSurface surface;
    if (make_support_file_name(path, name ? name : ""))
        surface.LoadBmp(path);
    if (!surface.surface)
        surface.LoadBmp(font_1016pc_mem, static_cast<int>(font_1016pc_size));
    if (!surface.surface)
        return false;
    return Create(surface, renderer);
}
