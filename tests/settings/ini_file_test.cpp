#include "settings/ini_file.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <sstream>

#include "test_util.h"

static int Load(CIniFile& ini, const std::string& text)
{
    std::istringstream in(text);
    return ini.load(in);
}

TEST(IniFile, ReadsKeysSectionsAndValuesAsWritten)
{
    CIniFile ini;
    EXPECT_EQ(Load(ini, "# comment\n  ; another\n\n[Plot]\r\nPadding = 20 \r\nBad=20 px\r\n"
                        "Big=4294967301\n[ Plot ]\nPadding=30\n[Object]trailing text\n"
                        "Color=255 0 0 255\nShort=255 0 0\nHigh=255 0 0 256\nFive=255 0 0 255 9\n"
                        "Gap=1  2\nData=a=b\n[Plot]\nProjection=-7\n"),
              INI_OK);
    // The value read, or -1 when the key is missing or refused.
    auto num = [&](const char* sec, const char* key) {
        int v = -1;
        return ini.Get(sec, key, v) ? v : -1;
    };
    EXPECT_EQ(num("Plot", "Padding"), 20);
    EXPECT_EQ(num("Plot", "Projection"), -7);  // the section continues
    EXPECT_EQ(num(" Plot ", "Padding"), 30);
    EXPECT_EQ(num("Plot", "Bad"), -1);
    int v = 1;
    EXPECT_FALSE(ini.Get("Plot", "Big", v));  // beyond int: refused, not narrowed to 5
    EXPECT_EQ(v, 1);
    EXPECT_TRUE(str_to_int("-2147483648", v));
    EXPECT_FALSE(str_to_int("2147483648", v));

    unsigned char c[4] = {};
    const std::pair<const char*, size_t> counts[] = {  // Gap: "1", "" (0), "2"
        {"Short", 3}, {"High", 3}, {"Five", 4}, {"Gap", 3}, {"Color", 4}};
    for (const auto& k : counts)
        EXPECT_EQ(ini.Get("Object", k.first, c, 4), k.second) << k.first;
    EXPECT_EQ(c[0], 255);
    std::string s;
    EXPECT_TRUE(ini.Get("Object", "Data", s));
    EXPECT_EQ(s, "a=b");
}

TEST(IniFile, StopsAtTheFirstBadLineKeepingWhatCameBefore)
{
    CIniFile ini;
    EXPECT_EQ(Load(ini, "Key=1\n[A]\nk=v\n"), INI_NO_SECTION);
    EXPECT_TRUE(ini.sections.empty());
    EXPECT_EQ(Load(ini, "[A]\nk=v\n[B\nx=y\n"), INI_NO_BRACKET);
    EXPECT_EQ(Load(ini, "[A]\n[]\n"), INI_EMPTY_SECTION);
    EXPECT_EQ(Load(ini, "[A]\n  =v\n"), INI_EMPTY_KEY);
    EXPECT_EQ(Load(ini, "[A]\nk=v\njust words\nm=n\n"), INI_NO_EQUALS);
    std::string s;
    EXPECT_TRUE(ini.Get("A", "k", s));
    EXPECT_FALSE(ini.Get("A", "m", s));
    // A NUL byte ends its line: the value keeps no blank that was before it,
    // and the text after it is no line of its own.
    EXPECT_EQ(Load(ini, std::string("[A]\nk=v \0[B]\nm=n\0junk\n", 22)), INI_OK);
    EXPECT_TRUE(ini.Get("A", "k", s));
    EXPECT_EQ(s, "v");
    EXPECT_EQ(ini.sections.count("B"), 0u);
    EXPECT_TRUE(ini.Get("A", "m", s));
    EXPECT_EQ(s, "n");
    EXPECT_EQ(ini.Load("/nonexistent/skytrace.ini"), INI_OK);
    EXPECT_TRUE(ini.sections.empty());
}

TEST(IniFile, SaveReplacesTheFileWholeOrNotAtAll)
{
    TempDir dir;
    std::string path = dir.file("Skytrace.ini");
    CIniFile ini;
    ini.Set("A", "k", "old");
    ASSERT_TRUE(ini.Save(path));
    chmod(path.c_str(), 0640);

    // A write failing half-way (file size limit, as a full disk) keeps the old file, leaves no temporary.
    ini.Set("A", "k", std::string(200000, 'w'));
    rlimit old;
    getrlimit(RLIMIT_FSIZE, &old);
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = {4096, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool saved = ini.Save(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(read_file(path), "[A]\nk=old\n");

    ini.Set("A", "k", "new");
    ASSERT_TRUE(ini.Save(path));
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's mode is kept
    unlink(path.c_str());
    EXPECT_EQ(rmdir(dir.path().c_str()), 0) << "a temporary file was left behind";
}
