// The program's folders and the resolution of support and data file names.
#pragma once

extern const char* const s_app_name;  // "Skytrace"
extern const char* const s_org_name;  // "Bluefinch"

// Folder of the program, ending with '/'; empty while SDL cannot tell it or
// when it does not fit the 1025-byte cache (tried again on the next call).
const char* app_base_path();
// Per-user preference folder (created by SDL), ending with '/'; as above.
const char* app_pref_path();
// "<preference folder>Skytrace.ini"; empty while the preference folder is.
const char* app_ini_file_name();

// Resolve a support file (coastlines, fonts) into dst (1025 bytes): a name
// with a '/' is used as written; a bare name is looked for in user.app.path,
// then in the program folder, then in ../share/skytrace/ from the program
// folder (an installed program). True when the resolved file exists; when
// none does, dst names the file in the program folder.
bool make_support_file_name(char* dst, const char* name);
// Resolve a user data file (the data manager file): a name with a '/' is used
// as written; a bare name only in user.data.path. True when it exists.
bool make_data_file_name(char* dst, const char* name);
