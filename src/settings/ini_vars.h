// Loading and saving the settings in the INI file of the preference folder.
#pragma once

void var_load();
void var_save();
