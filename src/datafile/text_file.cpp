#include "datafile/text_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <new>

int TextFile::Load(const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 1;
    // Only a regular file has a size; a directory opens but reports none.
    struct stat st;
    long end = -1;
    if (fstat(fileno(f), &st) == 0 && S_ISREG(st.st_mode) && std::fseek(f, 0, SEEK_END) == 0)
        end = std::ftell(f);
    if (end < 0) {
        std::fclose(f);
        return 5;
    }
    if (uint64_t(end) > MAX_SIZE) {
        std::fclose(f);
        return 7;
    }
    try {
        buffer.resize(size_t(end));
    } catch (const std::bad_alloc&) {
        std::fclose(f);
        return 2;
    }
    if (std::fseek(f, 0, SEEK_SET) != 0 ||
        std::fread(buffer.data(), 1, buffer.size(), f) != buffer.size()) {
        std::fclose(f);
        // The buffer was already resized: an empty text keeps size and cursor
        // inside it, so a reused object never reads past its bytes.
        buffer.clear();
        size = cursor = 0;
        return 2;
    }
    std::fclose(f);
    size = buffer.size();
    cursor = 0;
    return 0;
}

void TextFile::Assign(std::string_view bytes)
{
    buffer.assign(bytes.begin(), bytes.end());
    size = buffer.size();
    cursor = 0;
}

bool TextFile::SeekSet(size_t pos)
{
    if (pos > size)
        return false;
    cursor = pos;
    return true;
}

bool TextFile::SeekNextLine()
{
    while (cursor < size) {
        const char c = buffer[size_t(cursor++)];
        if (c == '\n')
            return true;
        if (c == '\r') {
            if (cursor < size && buffer[size_t(cursor)] == '\n')
                ++cursor;
            return true;
        }
    }
    return false;
}

std::string_view TextFile::ReadLine()
{
    const uint64_t start = cursor;
    SeekNextLine();
    return std::string_view(buffer.data() + start, size_t(cursor - start));
}

size_t TextFile::ReadLine(std::string_view& line)
{
    const uint64_t start = cursor;
    uint64_t end = start;
    while (end < size && buffer[size_t(end)] != '\n' && buffer[size_t(end)] != '\r')
        ++end;
    line = std::string_view(buffer.data() + start, size_t(end - start));
    cursor = end;
    SeekNextLine();
    return line.size();
}
