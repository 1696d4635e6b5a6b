#include "support/cfile.h"

Cfile::~Cfile()
{
    Close();
}

bool Cfile::Open(const char* path, const char* mode)
{
    Close();
    m_fp = std::fopen(path, mode);
    return m_fp != nullptr;
}

int Cfile::Close()
{
    int r = 0;
    if (m_fp)
        r = std::fclose(m_fp);
    m_fp = nullptr;
    return r;
}

size_t CFile::ReadLine(char* buf, size_t cap)
{
    size_t n = 0;
    if (cap == 0)
        return 0;
    if (m_fp) {
        int c;
        while ((c = std::fgetc(m_fp)) != EOF && c != '\n') {
            if (c == '\r') {
                int d = std::fgetc(m_fp);
                if (d != '\n' && d != EOF)
                    std::ungetc(d, m_fp);
                break;
            }
            if (n < cap)
                buf[n] = static_cast<char>(c);
            ++n;
        }
    }
    buf[n < cap ? n : cap - 1] = '\0';
    return n;
}
