#include "support/memfile.h"

#include <cstdlib>

#include "support/fio.h"
#include "support/line_reader.h"

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
    struct Bytes {
        unsigned char*& cursor;
        unsigned char* end;
        int get() { return cursor < end ? *cursor++ : EOF; }
        void skipLF()
        {
            if (cursor < end && *cursor == '\n')
                ++cursor;
        }
    } src{cursor, end};
    return cap ? read_line(src, buf, cap) : 0;
}
