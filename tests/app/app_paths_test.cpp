#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/app_paths.h"
#include "settings/vars.h"
#include "test_util.h"

class AppPaths : public ::testing::Test {
protected:
    void SetUp() override { var_reset(); }
    void TearDown() override { var_reset(); }
};

TEST_F(AppPaths, SupportFilesInTheUserThenTheProgramFolderDataFilesInTheDataFolder)
{
    TempDir d;
    d.mkdir("user");
    d.write("user/a.dat", "x");
    char dst[TEXT_CAP];

    // A name with a slash is used unchanged.
    std::string direct = d.write("b.dat", "x");
    EXPECT_TRUE(make_support_file_name(dst, direct.c_str()) && dst == direct);
    EXPECT_TRUE(!make_support_file_name(dst, "./no/such.dat") && !strcmp(dst, "./no/such.dat"));

    var_set_user_app_path(d.file("user").c_str());
    EXPECT_TRUE(make_support_file_name(dst, "a.dat") && dst == d.file("user/a.dat")) << dst;

    // Not in the user folder: the program folder is tried.
    EXPECT_FALSE(make_support_file_name(dst, "nothing-here.dat"));
    EXPECT_EQ(std::string(dst), std::string(app_base_path()) + "nothing-here.dat");
    EXPECT_EQ(std::string(app_base_path()).back(), '/') << "folders end with a separator";
    EXPECT_FALSE(make_support_file_name(dst, ""));

    // Data files are looked for only in the data folder.
    d.write("datamgr.txt", "x");
    g_var.user.data.path[0] = '\0';
    EXPECT_FALSE(make_data_file_name(dst, "datamgr.txt"));
    set_fpath(g_var.user.data.path, d.path().c_str());
    EXPECT_TRUE(make_data_file_name(dst, "datamgr.txt") && dst == d.file("datamgr.txt")) << dst;
    EXPECT_FALSE(make_data_file_name(dst, "other.txt"));
    EXPECT_TRUE(make_data_file_name(dst, d.file("datamgr.txt").c_str()));

    // A join that does not fit is not cut into a different, existing name.
    EXPECT_FALSE(make_data_file_name(dst, std::string(TEXT_CAP, 'n').c_str()));
    EXPECT_LT(std::strlen(dst), TEXT_CAP);
}

// An installed program finds its support files in <prefix>/share/skytrace/,
// beside <prefix>/bin/, only after the user folder and its own folder.
TEST_F(AppPaths, SupportFilesOfAnInstalledProgramUnderShareAfterTheOtherPlaces)
{
    const std::string base = app_base_path();
    ASSERT_FALSE(base.empty());
    // The test program's folder stands for <prefix>/bin/; whatever folders
    // and files the test makes are removed again, also after a failure.
    struct Made {
        std::vector<std::string> paths;
        ~Made()
        {
            for (auto p = paths.rbegin(); p != paths.rend(); ++p)
                std::remove(p->c_str());
        }
    } made;
    std::string folder = base + "..";
    for (const char* part : {"/share", "/skytrace"}) {
        folder += part;
        if (::mkdir(folder.c_str(), 0755) == 0)
            made.paths.push_back(folder);
    }
    const std::string name = "installed-" + std::to_string(getpid()) + ".dat";
    const std::string shared = folder + "/" + name, beside = base + name;
    TempDir user;
    made.paths.push_back(shared);
    std::ofstream(shared) << "x";
    char dst[TEXT_CAP];

    EXPECT_TRUE(make_support_file_name(dst, name.c_str()) && dst == shared) << dst;
    made.paths.push_back(beside);
    std::ofstream(beside) << "x";
    EXPECT_TRUE(make_support_file_name(dst, name.c_str()) && dst == beside) << dst;
    user.write(name, "x");
    var_set_user_app_path(user.path().c_str());
    EXPECT_TRUE(make_support_file_name(dst, name.c_str()) && dst == user.file(name)) << dst;
}
