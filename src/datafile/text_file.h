// A whole text file in memory, handed out line by line through a cursor.
// Lines are views into the buffer, valid until the next Load or destruction.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TextFile {
public:
    TextFile() = default;

    // Largest file Load reads: well above any real element file, and a
    // bound on the memory a hostile or mistaken entry can take.
    static constexpr uint64_t MAX_SIZE = uint64_t(256) << 20;

    // 0 success; 1 cannot open; 2 read failed; 5 size unknown; 7 larger
    // than MAX_SIZE (nothing is read).
    int Load(const std::string& path);
    // Replaces the content with a copy of the bytes (for tests and tools).
    void Assign(std::string_view bytes);

    bool IsEnd() const { return cursor == size; }
    size_t Cursor() const { return size_t(cursor); }
    size_t Size() const { return size_t(size); }
    // False, and no change, when pos is beyond the end.
    bool SeekSet(size_t pos);
    // Past the next LF, CR or CR LF; false when the end came first.
    bool SeekNextLine();
    // The raw line at the cursor, terminator included; empty at the end.
    std::string_view ReadLine();
    // The line without its terminator; returns its length.
    size_t ReadLine(std::string_view& line);

private:
    std::vector<char> buffer;
    uint64_t size = 0;
    uint64_t cursor = 0;
};
