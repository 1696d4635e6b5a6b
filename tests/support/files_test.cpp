#include <cstdlib>
#include <cstring>

#include "support/cfile.h"
#include "support/fio.h"
#include "support/fsys.h"
#include "support/memfile.h"
#include "test_util.h"

// Every line of a file read by CMemFile (mem) or CFile with capacity cap, as "text|length".
static std::vector<std::string> read_lines(bool mem, const std::string& path, size_t cap)
{
    CFile f;
    CMemFile m;
    std::vector<std::string> out;
    char buf[64];
    if (mem ? m.Open(path.c_str()) != 0 : !f.Open(path.c_str(), "rb"))
        return out;
    while (!(mem && m.IsEnd())) {
        size_t n = mem ? m.ReadLine(buf, cap) : f.ReadLine(buf, cap);
        if (!mem && n == 0 && f.IsEof())
            break;
        out.push_back(std::string(buf) + "|" + std::to_string(n));
    }
    return out;
}

TEST(LineReaders, TerminatorsTruncationAndLengths)
{
    TempDir d;
    struct {
        const char* bytes;
        size_t cap;
        std::vector<std::string> lines;
    } cases[] = {
        {"a\nb\r\nc\rd\n\re", 64, {"a|1", "b|1", "c|1", "d|1", "|0", "e|1"}},
        {"x\r\n", 64, {"x|1"}},                     // a final CR LF gives no extra empty line
        {"0123456789\nab\n", 5, {"0123|10", "ab|2"}},  // cut, but the whole length counted
    };
    for (const auto& c : cases) {
        std::string p = d.write("t.txt", c.bytes);
        EXPECT_EQ(read_lines(false, p, c.cap), c.lines) << c.bytes;
        EXPECT_EQ(read_lines(true, p, c.cap), c.lines) << c.bytes;
    }

    CMemFile m;
    EXPECT_EQ(m.Open(d.file("missing").c_str()), 6u);
    ASSERT_EQ(m.Open(d.file("t.txt").c_str()), 0u);
    char buf[8];
    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(m.ReadLine(buf, 5), 10u);
    EXPECT_EQ(buf[5], 'X');  // never more than cap bytes written
    EXPECT_FALSE(m.SeekSet(m.Size() + 1));
    EXPECT_EQ(m.Open(d.write("empty", "").c_str()), 0u);
    EXPECT_TRUE(m.IsEnd());
}

TEST(FileHelpers, ResultCodes)
{
    TempDir d;
    std::string p = d.write("t.bin", std::string("a\0b", 3));
    unsigned char* buf = nullptr;
    size_t size = 99;
    EXPECT_EQ(fio_malloc(d.file("none").c_str(), &buf, &size), 6u);
    EXPECT_EQ(buf, nullptr);
    EXPECT_EQ(size, 99u);
    ASSERT_EQ(fio_malloc(p.c_str(), &buf, &size), 0u);
    EXPECT_EQ(size, 3u);
    EXPECT_EQ(std::memcmp(buf, "a\0b", 3), 0);
    std::free(buf);
    char four[4];
    EXPECT_EQ(fio_load(p.c_str(), four, 4), 2u);

    d.mkdir("sub");
    EXPECT_EQ(fsys_type(p.c_str()), 1);
    EXPECT_EQ(fsys_type(d.file("sub").c_str()), 2);
    EXPECT_EQ(fsys_type(d.file("none").c_str()), 0);
    EXPECT_EQ(fsys_type("/dev/null"), 0);

    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    char out[TEXT_CAP];
    setenv("HOME", d.path().c_str(), 1);
    EXPECT_EQ(fsys_getDocumentsPath(out), 1);  // no Documents folder: the home
    EXPECT_EQ(std::string(out), d.path());
    unsetenv("HOME");
    EXPECT_EQ(fsys_getHomePath(out), 0);
    EXPECT_EQ(fsys_getDocumentsPath(out), 0);
    // A home longer than the buffer is cut, never written past it.
    setenv("HOME", std::string(3000, 'h').c_str(), 1);
    EXPECT_EQ(fsys_getHomePath(out), 1);
    EXPECT_EQ(std::strlen(out), TEXT_CAP - 1);
    setenv("HOME", oldHome.c_str(), 1);
}
