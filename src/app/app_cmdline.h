// The program's command line: --help and --version answer on a stream and
// end the program before anything is loaded; every other argument is ignored.
#pragma once
#include <cstdio>

enum appRequest {
    APP_RUN = 0,      // start the map
    APP_HELP = 1,     // --help: print the usage and exit
    APP_VERSION = 2,  // --version: print the version and exit
};

// The first --help or --version among the arguments, else APP_RUN. Only the
// exact words count; argv may hold null entries (argc is trusted).
appRequest app_request(int argc, char** argv);
// Prints the answer to a request other than APP_RUN; the exit status: 0
// when it was written whole, 1 when writing failed (a message on stderr).
int app_answer(appRequest request, FILE* out);
