// The release version, as set by the build (project() in CMakeLists.txt).
#pragma once

// "MAJOR.MINOR.PATCH", e.g. "0.1.0".
const char* app_version();
