#include <cstring>

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
