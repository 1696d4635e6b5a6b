// Whole-file loading. Result codes: 0 success, 1 cannot open, 2 short read,
// 6 size unknown (missing or not examinable), 7 out of memory.
#pragma once
#include <cstddef>

unsigned fio_load(const char* path, void* buf, size_t n);
// Allocates (malloc) and fills a buffer with the whole file; only on success
// are *buf and *size set, and the caller then owns *buf (free).
unsigned fio_malloc(const char* path, unsigned char** buf, size_t* size);
