// Instants on the command line: YYYY-MM-DDTHH:MM:SS[.f to ffffff]Z, UTC.
#pragma once

#include <cstddef>

#include "sgp4/DateTime.h"

// True with *out set when s is such an instant of a valid calendar date.
bool cli_parseInstant(const char* s, libsgp4::DateTime* out);
// The instant as YYYY-MM-DDTHH:MM:SS.mmmZ, rounded to the nearest
// millisecond (half a millisecond up) before it is split into fields, so
// the seconds never read 60.000. buf holds at least 32 bytes.
char* cli_formatMillis(const libsgp4::DateTime& t, char* buf, size_t cap);
