// A whole file held in memory with a read cursor.
#pragma once
#include <cstddef>

class CMemFile {
public:
    CMemFile() = default;
    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;
    virtual ~CMemFile();

    // Loads the whole file (fio_malloc result codes: 0, 1, 2, 6, 7).
    unsigned Open(const char* path);
    int Close();
    bool SeekSet(size_t pos);
    // One line ended by LF, CR or CR LF, stored as CFile::ReadLine stores it;
    // 0 and an empty buffer at the end of the data.
    size_t ReadLine(char* buf, size_t cap);

    bool IsEnd() const { return cursor >= end; }
    size_t Size() const { return size; }
    size_t Pos() const { return static_cast<size_t>(cursor - buffer); }

protected:
    unsigned char* buffer = nullptr;
    size_t size = 0;
    unsigned char* cursor = nullptr;
    unsigned char* end = nullptr;
    bool owned = false;
};
