// Loading and saving the settings in the INI file of the preference folder.
#pragma once

// Read app_ini_file_name() into the settings at start-up and write the
// settings back at exit. Without a preference folder no file is read or
// written (loading then applies only the defaults of a missing file).
void var_load();
void var_save();

// The same for a named file. var_save_file is true when the file was
// replaced; on failure the old file stays as it was.
void var_load_file(const char* path);
bool var_save_file(const char* path);
