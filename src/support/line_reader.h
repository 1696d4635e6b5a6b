// The line-reading rule shared by the stream and memory readers.
#pragma once
#include <cstddef>
#include <cstdio>

// Reads one line from src into buf (cap >= 1): LF, CR and CR LF end a line and
// are consumed. At most cap - 1 characters are stored, always terminated; the
// result is the full length of the line. Src provides int get() (EOF at the
// end) and void skipLF() (consumes the next character when it is a LF).
template <typename Src>
size_t read_line(Src& src, char* buf, size_t cap)
{
    size_t n = 0;
    for (int c = src.get(); c != EOF && c != '\n'; c = src.get()) {
        if (c == '\r') {
            src.skipLF();
            break;
        }
        if (n < cap)
            buf[n] = static_cast<char>(c);
        ++n;
    }
    buf[n < cap ? n : cap - 1] = '\0';
    return n;
}
