// Instants on the command line: YYYY-MM-DDTHH:MM:SS[.f to ffffff]Z, UTC.
#pragma once

#include "sgp4/DateTime.h"

// True with *out set when s is such an instant of a valid calendar date.
bool cli_parseInstant(const char* s, libsgp4::DateTime* out);
