#include "settings/ini_file.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
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

std::string MakeTempDir()
{
    std::string t = ::testing::TempDir() + "skytrace_ini_XXXXXX";
    return mkdtemp(&t[0]) ? t : std::string();
}

int CountEntries(const std::string& dir)
{
    int n = 0;
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            n += e->d_name[0] != '.';
        closedir(d);
    }
    return n;
}

}  // namespace

TEST(IniFile, StrToIntTakesOnlyWholeIntsInRange)
{
    int v = 42;
    EXPECT_TRUE(str_to_int("", v));
    EXPECT_EQ(v, 0);
    EXPECT_TRUE(str_to_int(" -17", v));
    EXPECT_EQ(v, -17);
    EXPECT_TRUE(str_to_int("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(str_to_int("-2147483648", v));
    v = 5;
    EXPECT_FALSE(str_to_int("2147483648", v));
    EXPECT_FALSE(str_to_int("-2147483649", v));
    EXPECT_FALSE(str_to_int("4294967301", v));  // would narrow to 5
    EXPECT_FALSE(str_to_int("99999999999999999999999", v));
    EXPECT_FALSE(str_to_int("20 px", v));
    EXPECT_FALSE(str_to_int("7 ", v));
    EXPECT_EQ(v, 5);
}

TEST(IniFile, ReadsKeysSectionsAndValuesAsWritten)
{
    CIniFile ini;
    EXPECT_EQ(Load(ini,
                   "# comment\n"
                   "  ; another\n"
                   "\n"
                   "[Plot]\n"
                   "Padding = 20 \n"
                   "Bad=20 px\n"
                   "[ Plot ]\n"
                   "Padding=30\n"
                   "[Object]trailing text\n"
                   "Color=255 0 0 255\n"
                   "Short=255 0 0\n"
                   "Big=255 0 0 256\n"
                   "Five=255 0 0 255 9\n"
                   "Gap=1  2\n"
                   "Data=a=b\n"
                   "Note=x # not a comment\n"
                   "\tKey\t =\t\n"
                   "[Plot]\n"
                   "Padding=25\n"),
              INI_OK);
    int v = 0;
    EXPECT_TRUE(ini.Get("Plot", "Padding", v));
    EXPECT_EQ(v, 25);  // the section continues, the later value wins
    v = 9;
    EXPECT_FALSE(ini.Get("Plot", "Bad", v));
    EXPECT_EQ(v, 9);
    EXPECT_TRUE(ini.Get(" Plot ", "Padding", v));
    EXPECT_EQ(v, 30);
    EXPECT_FALSE(ini.Get("Plot", "Missing", v));
    EXPECT_FALSE(ini.Get("Nope", "Padding", v));

    unsigned char c[4] = {};
    EXPECT_EQ(ini.Get("Object", "Color", c, 4), 4u);
    EXPECT_EQ(c[0], 255);
    EXPECT_EQ(c[3], 255);
    EXPECT_EQ(ini.Get("Object", "Short", c, 4), 3u);
    EXPECT_EQ(ini.Get("Object", "Big", c, 4), 3u);
    EXPECT_EQ(ini.Get("Object", "Five", c, 4), 4u);
    EXPECT_EQ(ini.Get("Object", "Gap", c, 4), 3u);  // "1", "", "2"
    EXPECT_EQ(c[1], 0);
    int r[4] = {};
    EXPECT_EQ(ini.Get("Object", "Gap", r, 4), 3u);

    std::string s;
    EXPECT_TRUE(ini.Get("Object", "Data", s));
    EXPECT_EQ(s, "a=b");
    EXPECT_TRUE(ini.Get("Object", "Note", s));
    EXPECT_EQ(s, "x # not a comment");
    EXPECT_TRUE(ini.Get("Object", "Key", s));
    EXPECT_EQ(s, "");
}

TEST(IniFile, StopsAtTheFirstBadLineKeepingWhatCameBefore)
{
    CIniFile ini;
    EXPECT_EQ(Load(ini, "Key=1\n[A]\nk=v\n"), INI_NO_SECTION);
    EXPECT_TRUE(ini.sections.empty());
    EXPECT_EQ(Load(ini, "[A]\nk=v\n[B\nx=y\n"), INI_NO_BRACKET);
    EXPECT_EQ(ini.sections.size(), 1u);
    EXPECT_EQ(Load(ini, "[A]\n[]\n"), INI_EMPTY_SECTION);
    EXPECT_EQ(Load(ini, "[A]\nk=v\njust words\nm=n\n"), INI_NO_EQUALS);
    std::string s;
    EXPECT_TRUE(ini.Get("A", "k", s));
    EXPECT_FALSE(ini.Get("A", "m", s));
    EXPECT_EQ(Load(ini, "[A]\n  =v\n"), INI_EMPTY_KEY);

    CIniFile lf, crlf;
    Load(lf, "[A]\nk=v\n[B]\nn=1 2 3 4\n");
    Load(crlf, "[A]\r\nk=v\r\n[B]\r\nn=1 2 3 4\r\n");
    EXPECT_EQ(Saved(lf), Saved(crlf));

    EXPECT_EQ(ini.Load("/nonexistent/skytrace.ini"), INI_OK);
    EXPECT_TRUE(ini.sections.empty());
}

TEST(IniFile, WritesSortedSectionsAndKeys)
{
    CIniFile ini;
    ini.Set("b", "z", "1");
    ini.Set("Window", "Rect", std::string("x"));
    const int rect[4] = {-5, 10, 800, 600};
    ini.Set("Window", "Rect", rect, 4);
    const unsigned char col[4] = {0, 0, 0, 255};
    ini.Set("Plot", "Background", col, 4);
    ini.Set("Plot", "Padding", -3);
    ini.Set("Info Color", "Data", "");
    EXPECT_EQ(Saved(ini),
              "[Info Color]\nData=\n"
              "[Plot]\nBackground=0 0 0 255 \nPadding=-3\n"
              "[Window]\nRect=-5 10 800 600 \n"
              "[b]\nz=1\n");
    CIniFile back;
    EXPECT_EQ(Load(back, Saved(ini)), INI_OK);
    int r[4] = {};
    EXPECT_EQ(back.Get("Window", "Rect", r, 4), 4u);
    EXPECT_EQ(r[0], -5);
    EXPECT_EQ(r[3], 600);
}

TEST(IniFile, SaveReplacesTheFileWholeOrNotAtAll)
{
    std::string dir = MakeTempDir();
    ASSERT_FALSE(dir.empty());
    std::string path = dir + "/Skytrace.ini";
    CIniFile ini;
    ini.Set("A", "k", std::string(200000, 'v'));
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(CountEntries(dir), 1);  // no temporary file left behind
    chmod(path.c_str(), 0640);
    ini.Set("A", "k", "new");
    ASSERT_TRUE(ini.Save(path));
    EXPECT_EQ(ReadFile(path), "[A]\nk=new\n");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the old file's mode is kept

    // A write that fails half-way (here a file size limit, as on a full disk)
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
    EXPECT_EQ(ReadFile(path), "[A]\nk=new\n");
    EXPECT_EQ(CountEntries(dir), 1);

    // A folder where the temporary file cannot be created (root may write
    // anywhere, so this part needs an ordinary user).
    if (geteuid() != 0) {
        chmod(dir.c_str(), 0555);
        EXPECT_FALSE(ini.Save(path));
        chmod(dir.c_str(), 0755);
        EXPECT_EQ(ReadFile(path), "[A]\nk=new\n");
    }
    EXPECT_FALSE(ini.Save(dir + "/missing/Skytrace.ini"));

    unlink(path.c_str());
    rmdir(dir.c_str());
}
