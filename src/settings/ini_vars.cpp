#include "settings/ini_vars.h"

// Persistence arrives with the INI file support.
void var_load() {}
void var_save() {}
