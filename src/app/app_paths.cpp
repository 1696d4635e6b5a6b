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

// A name with a '/' is used as written (absolute, or relative to the current
// folder); an empty name (the default of every font setting) names no file.
static bool as_written(char* dst, const char* name)
{
    str_copy(dst, name, TEXT_CAP);
    return name[0] != '\0' && fsys_exist(dst);
}

// The file name in folder, when the folder is set and the file exists.
static bool in_folder(char* dst, const char* folder, const char* name)
{
    return folder[0] != '\0' && join(dst, folder, name) && fsys_exist(dst);
}

// The support files of an installed program: <prefix>/share/skytrace/ beside
// <prefix>/bin/; none while the program folder is unknown.
static bool in_share_folder(char* dst, const char* name)
{
    const char* base = app_base_path();
    char folder[TEXT_CAP];
    return base[0] != '\0' && join(folder, base, "../share/skytrace/") &&
           in_folder(dst, folder, name);
}

bool make_support_file_name(char* dst, const char* name)
{
    if (name[0] == '\0' || str_fpath(name))
        return as_written(dst, name);
    if (in_folder(dst, g_var.user.app.path, name))
        return true;
    if (join(dst, app_base_path(), name) && fsys_exist(dst))
        return true;
    // Not found: dst keeps the name in the program folder, the usual place.
    char shared[TEXT_CAP];
    if (!in_share_folder(shared, name))
        return false;
    str_copy(dst, shared, TEXT_CAP);
    return true;
}

bool make_data_file_name(char* dst, const char* name)
{
    if (name[0] == '\0' || str_fpath(name))
        return as_written(dst, name);
    dst[0] = '\0';
    return in_folder(dst, g_var.user.data.path, name);
}
