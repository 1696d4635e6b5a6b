#include "support/cfile.h"

#include "support/line_reader.h"

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
    struct Stream {
        FILE* fp;
        int get() { return fp ? std::fgetc(fp) : EOF; }
        void skipLF()
        {
            int d = std::fgetc(fp);
            if (d != '\n' && d != EOF)
                std::ungetc(d, fp);
        }
    } src{m_fp};
    return cap ? read_line(src, buf, cap) : 0;
}
