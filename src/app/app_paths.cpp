#include "app/app_paths.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "settings/vars.h"
#include "support/fsys.h"
#include "support/str.h"

const char* const s_app_name = "Skytrace";
const char* const s_org_name = "Bluefinch";

// Fills cache from an SDL-allocated path; a path that does not fit leaves the
// cache empty rather than keeping a cut, wrong folder name.
static void fill_cache(char* cache, char* sdlPath)
{
    if (!sdlPath)
        return;
    if (std::strlen(sdlPath) < TEXT_CAP)
        str_copy(cache, sdlPath, TEXT_CAP);
    SDL_free(sdlPath);
}

const char* app_base_path()
{
    static char s_path[TEXT_CAP];
    if (s_path[0] == '\0')
        fill_cache(s_path, SDL_GetBasePath());
    return s_path;
}

const char* app_pref_path()
{
    static char s_path[TEXT_CAP];
    if (s_path[0] == '\0')
        fill_cache(s_path, SDL_GetPrefPath(s_org_name, s_app_name));
    return s_path;
}

const char* app_ini_file_name()
{
    static char s_fname[TEXT_CAP];
    if (s_fname[0] == '\0') {
        const char* pref = app_pref_path();
        if (pref[0] != '\0') {
            int n = std::snprintf(s_fname, TEXT_CAP, "%s%s.ini", pref, s_app_name);
            if (n < 0 || n >= static_cast<int>(TEXT_CAP))
                s_fname[0] = '\0';
        }
    }
    return s_fname;
}

// "%s%s" into dst; false when the joined name does not fit (never cut).
static bool join(char* dst, const char* folder, const char* name)
{
    int n = std::snprintf(dst, TEXT_CAP, "%s%s", folder, name);
    if (n < 0 || n >= static_cast<int>(TEXT_CAP)) {
        dst[0] = '\0';
        return false;
    }
    return true;
}

bool make_support_file_name(char* dst, const char* name)
{
    // An empty name (the default of every font setting) names no file.
    if (name[0] == '\0') {
        dst[0] = '\0';
        return false;
    }
    if (str_fpath(name)) {
        str_copy(dst, name, TEXT_CAP);
        return fsys_exist(dst);
    }
    if (g_var.user.app.path[0] != '\0' && join(dst, g_var.user.app.path, name) && fsys_exist(dst))
        return true;
    if (!join(dst, app_base_path(), name))
        return false;
    return fsys_exist(dst);
}

bool make_data_file_name(char* dst, const char* name)
{
    if (name[0] == '\0') {
        dst[0] = '\0';
        return false;
    }
    if (str_fpath(name)) {
        str_copy(dst, name, TEXT_CAP);
        return fsys_exist(dst);
    }
    if (g_var.user.data.path[0] == '\0') {
        dst[0] = '\0';
        return false;
    }
    return join(dst, g_var.user.data.path, name) && fsys_exist(dst);
}
