#include "support/fio.h"

#include <cstdio>
#include <cstdlib>

#include "support/fsys.h"

unsigned fio_load(const char* path, void* buf, size_t n)
{
    FILE* fp = std::fopen(path, "rb");
    if (!fp)
        return 1;
    size_t got = n ? std::fread(buf, 1, n, fp) : 0;
    std::fclose(fp);
    return got == n ? 0 : 2;
}

unsigned fio_malloc(const char* path, unsigned char** buf, size_t* size)
{
    size_t n = 0;
    if (fsys_size(path, &n) != 0)
        return 6;
    // One spare byte: an empty file still gets a buffer of its own.
    auto* p = static_cast<unsigned char*>(std::malloc(n + 1));
    if (!p)
        return 7;
    unsigned r = fio_load(path, p, n);
    if (r != 0) {
        std::free(p);
        return r;
    }
    *buf = p;
    *size = n;
    return 0;
}
