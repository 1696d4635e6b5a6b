#include <cstdlib>
#include <cstring>

#include "support/cfile.h"
#include "support/fio.h"
#include "support/fsys.h"
#include "support/memfile.h"
#include "test_util.h"

// Reads every line of a file through CFile (capacity cap).
static std::vector<std::string> stream_lines(const std::string& path, size_t cap,
                                             std::vector<size_t>* lengths = nullptr)
{
    CFile f;
    std::vector<std::string> out;
    if (!f.Open(path.c_str(), "rb"))
        return out;
    char buf[64];
    for (;;) {
        size_t n = f.ReadLine(buf, cap);
        if (n == 0 && f.IsEof())
            break;
        out.push_back(buf);
        if (lengths)
            lengths->push_back(n);
    }
    return out;
}

static std::vector<std::string> mem_lines(const std::string& path, size_t cap)
{
    CMemFile f;
    std::vector<std::string> out;
    if (f.Open(path.c_str()) != 0)
        return out;
    char buf[64];
    while (!f.IsEnd()) {
        f.ReadLine(buf, cap);
        out.push_back(buf);
    }
    return out;
}

TEST(LineReaders, EveryTerminatorEndsOneLine)
{
    TempDir d;
    std::string p = d.write("t.txt", "a\nb\r\nc\rd\n\re");
    std::vector<std::string> want = {"a", "b", "c", "d", "", "e"};
    EXPECT_EQ(stream_lines(p, 64), want);
    EXPECT_EQ(mem_lines(p, 64), want);

    // A final CR LF gives no extra empty line; a last line without a break is read.
    std::string q = d.write("u.txt", "x\r\n");
    EXPECT_EQ(stream_lines(q, 64), std::vector<std::string>{"x"});
    EXPECT_EQ(mem_lines(q, 64), std::vector<std::string>{"x"});
}

TEST(LineReaders, LongLinesAreCutButCounted)
{
    TempDir d;
    std::string p = d.write("t.txt", "0123456789\nab\n");
    std::vector<size_t> lengths;
    EXPECT_EQ(stream_lines(p, 5, &lengths), (std::vector<std::string>{"0123", "ab"}));
    EXPECT_EQ(lengths, (std::vector<size_t>{10, 2}));

    CMemFile m;
    ASSERT_EQ(m.Open(p.c_str()), 0u);
    char buf[8];
    std::memset(buf, 'X', sizeof buf);
    EXPECT_EQ(m.ReadLine(buf, 5), 10u);
    EXPECT_STREQ(buf, "0123");
    EXPECT_EQ(buf[5], 'X');
    EXPECT_EQ(m.ReadLine(buf, 1), 2u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(m.ReadLine(buf, 5), 0u);
    EXPECT_TRUE(m.IsEnd());
}

TEST(MemFile, SeekAndOpenResults)
{
    TempDir d;
    std::string p = d.write("t.txt", "ab\ncd");
    CMemFile m;
    EXPECT_EQ(m.Open(d.file("missing").c_str()), 6u);
    ASSERT_EQ(m.Open(p.c_str()), 0u);
    EXPECT_EQ(m.Size(), 5u);
    EXPECT_TRUE(m.SeekSet(5));
    EXPECT_TRUE(m.IsEnd());
    EXPECT_FALSE(m.SeekSet(6));
    EXPECT_TRUE(m.SeekSet(3));
    char buf[8];
    EXPECT_EQ(m.ReadLine(buf, sizeof buf), 2u);
    EXPECT_STREQ(buf, "cd");

    // An empty file opens and reads nothing.
    CMemFile e;
    EXPECT_EQ(e.Open(d.write("empty", "").c_str()), 0u);
    EXPECT_TRUE(e.IsEnd());
}

TEST(Fio, ResultCodes)
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
    EXPECT_EQ(fio_load(d.file("none").c_str(), four, 1), 1u);
    EXPECT_EQ(fio_load(p.c_str(), four, 3), 0u);
}

TEST(Fsys, TypesSizesAndFolders)
{
    TempDir d;
    std::string f = d.write("f", "12345");
    d.mkdir("sub");
    EXPECT_EQ(fsys_type(f.c_str()), 1);
    EXPECT_EQ(fsys_type(d.file("sub").c_str()), 2);
    EXPECT_EQ(fsys_type(d.file("none").c_str()), 0);
    EXPECT_EQ(fsys_type("/dev/null"), 0);
    size_t n = 0;
    EXPECT_EQ(fsys_size(f.c_str(), &n), 0u);
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(fsys_size(d.file("none").c_str(), &n), 6u);
    EXPECT_TRUE(fsys_exist(f.c_str()));
    EXPECT_FALSE(fsys_exist(d.file("none").c_str()));

    std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    char out[TEXT_CAP];
    setenv("HOME", d.path().c_str(), 1);
    EXPECT_EQ(fsys_getDocumentsPath(out), 1);
    EXPECT_EQ(std::string(out), d.path());
    d.mkdir("Documents");
    EXPECT_EQ(fsys_getDocumentsPath(out), 1);
    EXPECT_EQ(std::string(out), d.file("Documents"));
    unsetenv("HOME");
    EXPECT_EQ(fsys_getHomePath(out), 0);
    EXPECT_EQ(fsys_getDocumentsPath(out), 0);
    // A home longer than the buffer is cut, never written past it.
    std::string longHome(3000, 'h');
    setenv("HOME", longHome.c_str(), 1);
    EXPECT_EQ(fsys_getHomePath(out), 1);
    EXPECT_EQ(std::strlen(out), TEXT_CAP - 1);
    setenv("HOME", oldHome.c_str(), 1);
}
