#include "app/app_cmdline.h"

#include <cstring>

#include "app/app_version.h"

static const char s_usage[] =
    "Usage: skytrace [--help | --version]\n"
    "\n"
    "Skytrace shows where Earth-orbiting satellites are, in real time, on a\n"
    "world map. Single keys change the projection, the selection, the info\n"
    "panel, labels and ground track, and show your place, the selected\n"
    "satellite's footprint and the night side; the backquote key opens the\n"
    "console.\n"
    "\n"
    "Settings:    Skytrace.ini in $XDG_DATA_HOME/Bluefinch/Skytrace/\n"
    "             (by default ~/.local/share/Bluefinch/Skytrace/)\n"
    "Satellites:  the element files listed in the data manager file,\n"
    "             datamgr.txt in ~/Documents/ (else ~/); the settings\n"
    "             user.data.path and obj.data change it\n"
    "Coastlines:  world.dat, looked up in user.app.path, beside the program,\n"
    "             then in ../share/skytrace/ from the program's folder\n"
    "\n"
    "  --help     print this text and exit\n"
    "  --version  print the version and exit\n"
    "Other arguments are ignored.\n"
    "\n"
    "Manual: man skytrace (skytrace(1)); the companion tool: skytrace-cli(1).\n";

appRequest app_request(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!argv[i])
            continue;
        if (std::strcmp(argv[i], "--help") == 0)
            return APP_HELP;
        if (std::strcmp(argv[i], "--version") == 0)
            return APP_VERSION;
    }
    return APP_RUN;
}

int app_answer(appRequest request, FILE* out)
{
    if (request == APP_HELP)
        std::fputs(s_usage, out);
    else if (request == APP_VERSION)
        std::fprintf(out, "skytrace %s\n", app_version());
    // A full disk or a closed pipe is reported, not taken for success.
    if (std::fflush(out) != 0 || std::ferror(out)) {
        std::fprintf(stderr, "skytrace: cannot write the answer\n");
        return 1;
    }
    return 0;
}
