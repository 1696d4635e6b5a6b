// File-system queries.
#pragma once
#include <cstddef>
#include "support/types.h"

// 0 missing or neither file nor directory, 1 regular file, 2 directory.
int fsys_type(const char* path);
// 0 with the size in bytes, or 6 when the status cannot be read.
unsigned fsys_size(const char* path, size_t* size);
bool fsys_exist(const char* path);
// 1 with $HOME copied into dst (cap bytes, cut to fit), 0 when unset.
int fsys_getHomePath(char* dst, size_t cap = TEXT_CAP);
// 1 with $HOME/Documents when that is a directory, else $HOME; 0 when unset.
int fsys_getDocumentsPath(char* dst, size_t cap = TEXT_CAP);
