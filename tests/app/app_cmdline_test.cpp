#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include "app/app_cmdline.h"
#include "app/app_version.h"
#include "test_util.h"

namespace {

appRequest request(std::vector<const char*> args)
{
    args.insert(args.begin(), "skytrace");
    return app_request(static_cast<int>(args.size()), const_cast<char**>(args.data()));
}

// The answer as written to a file, and the exit status.
std::string answer(appRequest r, int* status)
{
    TempDir d;
    const std::string path = d.file("out");
    FILE* f = std::fopen(path.c_str(), "w");
    *status = app_answer(r, f);
    std::fclose(f);
    return read_file(path);
}

}  // namespace

TEST(AppCmdline, OnlyTheExactOptionsAnswerTheFirstOfThemWins)
{
    EXPECT_EQ(request({}), APP_RUN);
    EXPECT_EQ(request({"--help"}), APP_HELP);
    EXPECT_EQ(request({"--version"}), APP_VERSION);
    EXPECT_EQ(request({"file.tle", "--version", "--help"}), APP_VERSION);
    EXPECT_EQ(request({"-x", "--help", "--version"}), APP_HELP);
    for (const char* other : {"", "-h", "-v", "--HELP", "--help=1", "--versions", "help", " --help"})
        EXPECT_EQ(request({other}), APP_RUN) << "[" << other << "]";
    // A null entry (argc larger than the list) is passed over.
    const char* withNull[] = {"skytrace", nullptr, "--version", nullptr};
    EXPECT_EQ(app_request(3, const_cast<char**>(withNull)), APP_VERSION);
}

TEST(AppCmdline, AnswersAndAFailedWriteIsNotSuccess)
{
    int status = -1;
    EXPECT_EQ(answer(APP_VERSION, &status), std::string("skytrace ") + app_version() + "\n");
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(std::regex_match(app_version(), std::regex("[0-9]+\\.[0-9]+\\.[0-9]+")));

    const std::string help = answer(APP_HELP, &status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(help.rfind("Usage: skytrace", 0), 0u) << help;
    for (const char* part : {"Skytrace.ini", "datamgr.txt", "share/skytrace", "man skytrace"})
        EXPECT_NE(help.find(part), std::string::npos) << part;

    FILE* full = std::fopen("/dev/full", "w");
    if (!full)
        GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(app_answer(APP_HELP, full), 1);
    std::fclose(full);
}
