// Arguments and output shared by the look and passes subcommands.
#pragma once
#include <cstddef>
#include <vector>

#include "observer/observer.h"

class CObjects;
struct object_t;
namespace libsgp4 {
class DateTime;
}

// Prints "skytrace-cli CMD: MESSAGE" as one line on stderr; CLI_USAGE.
int cli_fail(const char* cmd, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
// "LAT,LON[,ALT_M]" within [-90, 90], [-180, 180], [-500, 10000]; on a
// problem false with a one-line message of at most cap bytes in why.
bool cli_parseObserver(const char* s, observer_t* out, char* why, size_t cap);
// Loads FILE as cli_loadObjects does and lists its satellites in order;
// on failure prints "skytrace-cli CMD: cannot read 'FILE'" and returns 1.
int cli_loadList(const char* cmd, const char* file, CObjects& objs,
                 std::vector<object_t*>& list);
