#include "app/app_version.h"

// The build defines SKYTRACE_VERSION for this file alone, so a new version
// recompiles one file.
const char* app_version()
{
    return SKYTRACE_VERSION;
}
