// Line reading from a stdio stream.
#pragma once
#include <cstddef>
#include <cstdio>

// Owns one stdio stream, or none when closed.
class Cfile {
public:
    Cfile() = default;
    Cfile(const Cfile&) = delete;
    Cfile& operator=(const Cfile&) = delete;
    ~Cfile();

    bool Open(const char* path, const char* mode);
    int Close();
    bool IsOpen() const { return m_fp != nullptr; }
    bool IsEof() const { return m_fp == nullptr || std::feof(m_fp) != 0; }
    FILE* Stream() const { return m_fp; }

protected:
    FILE* m_fp = nullptr;
};

class CFile : public Cfile {
public:
    // Reads one line ended by LF, CR or CR LF (the terminator is consumed).
    // Stores at most cap - 1 characters, always terminated; returns the full
    // length of the line, which may exceed cap - 1. 0 for an empty line and at
    // the end of the file (tell them apart with IsEof).
    size_t ReadLine(char* buf, size_t cap);

    int endian = 1234;
};
