#include "settings/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <sstream>
#include <string>

namespace {

int Load(CIniFile& ini, const std::string& text)
{
    std::istringstream in(text);
    return ini.load(in);
}

std::string Saved(const CIniFile& ini)
{
    std::ostringstream out;
    ini.save(out);
    return out.str();
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(IniFile, ReadsKeysSectionsAndValuesAsWritten)
{
    CIniFile ini;
    EXPECT_EQ(Load(ini, "# comment\n  ; another\n\n[Plot]\r\nPadding = 20 \r\nBad=20 px\r\n"
                        "Big=4294967301\n[ Plot ]\nPadding=30\n[Object]trailing text\n"
                        "Color=255 0 0 255\nShort=255 0 0\nHigh=255 0 0 256\nFive=255 0 0 255 9\n"
                        "Gap=1  2\nData=a=b\nNote=x # not a comment\n[Plot]\nProjection=-7\n"),
              INI_OK);
    int v = 0;
    EXPECT_TRUE(ini.Get("Plot", "Padding", v));
    EXPECT_EQ(v, 20);
    EXPECT_TRUE(ini.Get("Plot", "Projection", v));  // the section continues
    EXPECT_EQ(v, -7);
    EXPECT_FALSE(ini.Get("Plot", "Bad", v));
    EXPECT_FALSE(ini.Get("Plot", "Big", v));  // beyond int: refused, not narrowed to 5
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(ini.Get(" Plot ", "Padding", v));
    EXPECT_EQ(v, 30);

    unsigned char c[4] = {};
    EXPECT_EQ(ini.Get("Object", "Color", c, 4), 4u);
    EXPECT_EQ(c[0], 255);
    EXPECT_EQ(ini.Get("Object", "Short", c, 4), 3u);
    EXPECT_EQ(ini.Get("Object", "High", c, 4), 3u);
    EXPECT_EQ(ini.Get("Object", "Five", c, 4), 4u);
    EXPECT_EQ(ini.Get("Object", "Gap", c, 4), 3u);  // "1", "" (0), "2"
    std::string s;
    EXPECT_TRUE(ini.Get("Object", "Data", s));
    EXPECT_EQ(s, "a=b");
    EXPECT_TRUE(ini.Get("Object", "Note", s));
    EXPECT_EQ(s, "x # not a comment");

    EXPECT_TRUE(str_to_int("", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(str_to_int("-2147483648", v));
    EXPECT_FALSE(str_to_int("2147483648", v));
    EXPECT_FALSE(str_to_int("7 ", v));
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
    EXPECT_EQ(ini.Load("/nonexistent/skytrace.ini"), INI_OK);
    EXPECT_TRUE(ini.sections.empty());

    ini.Set("b", "z", "1");
    const int rect[4] = {-5, 10, 800, 600};
    ini.Set("Window", "Rect", rect, 4);
    ini.Set("Plot", "Padding", -3);
    EXPECT_EQ(Saved(ini), "[Plot]\nPadding=-3\n[Window]\nRect=-5 10 800 600 \n[b]\nz=1\n");
}

TEST(IniFile, SaveReplacesTheFileWholeOrNotAtAll)
{
    std::string dir = ::testing::TempDir() + "skytrace_ini_XXXXXX";
    ASSERT_NE(mkdtemp(&dir[0]), nullptr);
    std::string path = dir + "/Skytrace.ini";
    CIniFile ini;
    ini.Set("A", "k", "old");
    ASSERT_TRUE(ini.Save(path));
    chmod(path.c_str(), 0640);

    // A write that fails half-way (a file size limit, as a full disk would)
    // leaves the old file as it was and removes the temporary file.
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
    EXPECT_EQ(ReadFile(path), "[A]\nk=old\n");
    if (geteuid() != 0) {  // root may write into a read-only folder
        chmod(dir.c_str(), 0555);
        EXPECT_FALSE(ini.Save(path));
        chmod(dir.c_str(), 0755);
        EXPECT_EQ(ReadFile(path), "[A]\nk=old\n");
    }

    ini.Set("A", "k", "new");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadFile(path), "[A]\nk=new\n");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's mode is kept
    unlink(path.c_str());
    EXPECT_EQ(rmdir(dir.c_str()), 0) << "a temporary file was left behind";
}
