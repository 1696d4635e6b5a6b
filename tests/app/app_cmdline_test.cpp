#include <cstdio>
#include <string>
#include <vector>

#include "app/app_cmdline.h"
#include "app/app_version.h"
#include "test_util.h"

static appRequest request(std::vector<const char*> args)
{
    args.insert(args.begin(), "skytrace");
    return app_request(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

TEST(AppCmdline, OnlyTheExactOptionsAnswerTheFirstOfThemWins)
{
    EXPECT_EQ(request({}), APP_RUN);
    EXPECT_EQ(request({"file.tle", "--version", "--help"}), APP_VERSION);
    EXPECT_EQ(request({"-x", "--help", "--version"}), APP_HELP);
    for (const char* other : {"", "-h", "--HELP", "--help=1", "--versions", " --help"})
        EXPECT_EQ(request({other}), APP_RUN) << "[" << other << "]";
    // A null entry (argc larger than the list) is passed over.
    const char* withNull[] = {"skytrace", nullptr, "--version", nullptr};
    EXPECT_EQ(app_request(3, const_cast<char**>(withNull)), APP_VERSION);
}

TEST(AppCmdline, TheVersionLineAndAFailedWriteIsNotSuccess)
{
    TempDir d;
    FILE* f = std::fopen(d.file("out").c_str(), "w");
    EXPECT_EQ(app_answer(APP_VERSION, f), 0);
    std::fclose(f);
    EXPECT_EQ(read_file(d.file("out")), std::string("skytrace ") + app_version() + "\n");

    FILE* full = std::fopen("/dev/full", "w");
    if (!full)
        GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(app_answer(APP_HELP, full), 1);
    std::fclose(full);
}
