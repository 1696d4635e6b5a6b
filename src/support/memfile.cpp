#include "support/memfile.h"

#include <cstdlib>

#include "support/fio.h"

CMemFile::~CMemFile()
{
    Close();
}

unsigned CMemFile::Open(const char* path)
{
    Close();
    unsigned char* buf = nullptr;
    size_t n = 0;
    unsigned r = fio_malloc(path, &buf, &n);
    if (r != 0)
        return r;
    buffer = buf;
    size = n;
    cursor = buffer;
    end = buffer + size;
    owned = true;
    return 0;
}

int CMemFile::Close()
{
    if (owned)
        std::free(buffer);
    buffer = cursor = end = nullptr;
    size = 0;
    owned = false;
    return 0;
}

bool CMemFile::SeekSet(size_t pos)
{
    if (pos > size)
        return false;
    cursor = buffer + pos;
    return true;
}

size_t CMemFile::ReadLine(char* buf, size_t cap)
{
    if (cap == 0)
        return 0;
    size_t n = 0;
    while (cursor < end) {
        unsigned char c = *cursor++;
        if (c == '\n')
            break;
        if (c == '\r') {
            if (cursor < end && *cursor == '\n')
                ++cursor;
            break;
        }
        if (n < cap)
            buf[n] = static_cast<char>(c);
        ++n;
    }
    buf[n < cap ? n : cap - 1] = '\0';
    return n;
}
