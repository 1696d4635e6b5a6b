#include "console/cmdproc.h"

#include <SDL_version.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "console/console.h"
#include "console/lnedit.h"
#include "settings/vars.h"

namespace {

const keyword_t kWords[] = {{1, "history"}, {2, "set"}, {3, "ver"}, {0, nullptr}};

class Parser : public ::testing::Test {
protected:
    void SetUp() override { args = malloc_args(300, 20); }
    void TearDown() override { free_args(args); }
    int Split(const char* line) { return line_to_args(args, line, kWords); }
    const Arg_t& A(int i) { return args->args[i]; }
    Args_t* args = nullptr;
};

class Commands : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Listing app.pref makes SDL create the preference folder: keep it
        // out of the user's home.
        setenv("XDG_DATA_HOME", (::testing::TempDir() + "skytrace-test-xdg").c_str(), 1);
        LE_SetIns(1);
        LE_Clear();
        var_reset();
        args = malloc_args(300, 20);
    }
    void TearDown() override
    {
        free_args(args);
        g_varHooks = {};
        var_reset();
    }
    // Output lines printed by one command line run through the console.
    std::vector<std::string> Run(const char* line)
    {
        ConOutput& out = con.GetOutput();
        unsigned long before = out.LineCount();
        con.Input(CI_PUTSTR, line);
        con.Execute();
        std::vector<std::string> printed;
        for (unsigned long i = before + 1; i < out.LineCount(); ++i)
            printed.emplace_back(out.Line(i));
        return printed;
    }
    int Set(const char* line)
    {
        line_to_args(args, line, kWords);
        return do_set_cmd(*args, &con);
    }
    std::string Value(int id)
    {
        char buf[TEXT_CAP];
        get_var_value_as_str(buf, id);
        return buf;
    }

    CConsole con;
    Args_t* args = nullptr;
};

}  // namespace

TEST_F(Parser, SplitsAtBlanksAndKeepsQuotedBlanks)
{
    EXPECT_EQ(Split(""), 0);
    EXPECT_EQ(args->count, 0);
    EXPECT_EQ(Split("  set   \"a b\"  c\td "), 0);
    ASSERT_EQ(args->count, 3);
    EXPECT_STREQ(A(0).text, "set");
    EXPECT_STREQ(A(1).text, "a b");
    EXPECT_STREQ(A(2).text, "c\td");  // a tab is an ordinary character

    EXPECT_EQ(Split("\"ab\"cd x\"y"), 0);  // a closing quote ends the word
    ASSERT_EQ(args->count, 3);
    EXPECT_STREQ(A(0).text, "ab");
    EXPECT_STREQ(A(1).text, "cd");
    EXPECT_STREQ(A(2).text, "x\"y");

    EXPECT_EQ(Split("set \"open to the end"), -1);
    ASSERT_EQ(args->count, 2);
    EXPECT_STREQ(A(1).text, "open to the end");

    std::string many;
    for (int i = 1; i <= 25; ++i)
        many += "w" + std::to_string(i) + " ";
    EXPECT_EQ(Split(many.c_str()), 0);
    ASSERT_EQ(args->count, 20);
    EXPECT_STREQ(A(18).text, "w19");
    EXPECT_STREQ(A(19).text, "w20 w21 w22 w23 w24 w25 ");

    std::string longLine(400, 'x');
    Split(longLine.c_str());
    EXPECT_EQ(std::string(A(0).text).size(), 300u);  // only 300 characters are copied
}

TEST_F(Parser, ClassifiesKeywordsIntegersRealsAndWords)
{
    Split("set SET 0 010 017 -017 08 0x1F $1F -7 1.5 2e3 abc 99999999999 0x1FFFFFFFF -2147483648");
    ASSERT_EQ(args->count, 16);
    EXPECT_EQ(A(0).kind, ARG_KEYWORD);
    EXPECT_EQ(A(0).value.i, 2);
    EXPECT_EQ(A(1).kind, ARG_WORD);  // keywords are case-sensitive
    struct {
        int i, notation, value;
    } ints[] = {{2, ARG_DEC, 0},  {3, ARG_OCT, 8},   {4, ARG_OCT, 15},  {5, ARG_OCT, -15},
                {6, ARG_DEC, 8},  {7, ARG_HEX, 31},  {8, ARG_HEX, 31},  {9, ARG_DEC, -7},
                {15, ARG_DEC, -2147483647 - 1}};
    for (const auto& e : ints) {
        EXPECT_EQ(A(e.i).kind, ARG_INT) << A(e.i).text;
        EXPECT_EQ(A(e.i).notation, e.notation) << A(e.i).text;
        EXPECT_EQ(A(e.i).value.i, e.value) << A(e.i).text;
    }
    EXPECT_EQ(A(10).kind, ARG_REAL);
    EXPECT_FLOAT_EQ(A(10).value.f, 1.5f);
    EXPECT_EQ(A(11).kind, ARG_REAL);
    EXPECT_FLOAT_EQ(A(11).value.f, 2000.f);
    EXPECT_EQ(A(12).kind, ARG_WORD);
    // Beyond the int range a number is no integer: never narrowed.
    EXPECT_EQ(A(13).kind, ARG_REAL);
    EXPECT_EQ(A(14).kind, ARG_WORD);
}

TEST_F(Commands, SetListsShowsAndRefusesUnknownNames)
{
    std::vector<std::string> all = Run("set");
    ASSERT_EQ(all.size(), 31u);
    EXPECT_EQ(all.front().rfind("app.base = ", 0), 0u);
    EXPECT_EQ(all.back(), "win.font = ");
    EXPECT_EQ(all[26], "plot.bg.color = 0 0 0 255");
    EXPECT_EQ(all[22], "obj.size = 3");
    EXPECT_EQ(all[14], "lines.data = world.dat");

    EXPECT_EQ(Run("set path.color"), std::vector<std::string>{"255 255 0 160"});
    EXPECT_EQ(Run("set ver"), std::vector<std::string>{"Unknown variable."});
    EXPECT_EQ(Run("set nothing.here 1"), std::vector<std::string>{"Unknown variable."});
    EXPECT_EQ(Run("SET obj.size 5"), std::vector<std::string>{"Unknown command."});
    EXPECT_EQ(cmdproc("12 set", &con), -1);
    EXPECT_EQ(g_var.obj.size, 3);
}

TEST_F(Commands, SetColoursIntegersAndTexts)
{
    EXPECT_EQ(Set("set plot.bg.color 10 20 30"), 0);
    EXPECT_EQ(Value(VAR_PLOT_BG_COLOR), "10 20 30 255");
    EXPECT_EQ(Set("set plot.bg.color 256 -1 0x10 010"), 0);
    EXPECT_EQ(Value(VAR_PLOT_BG_COLOR), "0 255 16 8");
    EXPECT_EQ(Set("set plot.bg.color 1 2"), CMD_BAD_COUNT);
    EXPECT_EQ(Set("set plot.bg.color 1 2 3 4 5"), CMD_BAD_COUNT);
    EXPECT_EQ(Set("set plot.bg.color 1 2 x"), CMD_BAD_VALUE);
    EXPECT_EQ(Set("set plot.bg.color 1 2 3.0"), CMD_BAD_VALUE);
    EXPECT_EQ(Value(VAR_PLOT_BG_COLOR), "0 255 16 8");

    EXPECT_EQ(Set("set path.orbits 0x4"), 0);
    EXPECT_EQ(g_var.path.orbits, 4);
    EXPECT_EQ(Set("set plot.padding 010"), 0);
    EXPECT_EQ(g_var.plot.padding, 8);
    EXPECT_EQ(Set("set obj.size 2.5"), CMD_BAD_VALUE);
    EXPECT_EQ(Set("set obj.size 4 5"), CMD_BAD_COUNT);
    EXPECT_EQ(Set("set obj.size 4294967299"), CMD_BAD_VALUE);
    EXPECT_EQ(Set("set obj.size 16"), 0);  // refused by the setter, silently
    EXPECT_EQ(g_var.obj.size, 3);
    EXPECT_EQ(Set("set info.show 0"), 0);
    EXPECT_EQ(Value(VAR_INFO_SHOW), "0");

    EXPECT_EQ(Set("set lines.data 123"), CMD_BAD_VALUE);
    EXPECT_EQ(Set("set lines.data ver"), CMD_BAD_VALUE);
    EXPECT_EQ(Set("set lines.data a b"), CMD_BAD_COUNT);
    EXPECT_STREQ(g_var.lines.data, "world.dat");
    EXPECT_EQ(Set("set lines.data \"my coast.dat\""), 0);
    EXPECT_STREQ(g_var.lines.data, "my coast.dat");
    EXPECT_EQ(Set("set user.app.path /opt/sky"), 0);
    EXPECT_EQ(Value(VAR_USER_APP_PATH), "/opt/sky/");
    EXPECT_EQ(Set("set app.base /elsewhere"), 0);
    EXPECT_NE(Value(VAR_APP_BASE), "/elsewhere");

    // Nothing is printed by a change, accepted or not.
    EXPECT_TRUE(Run("set obj.size 5").empty());
    EXPECT_EQ(g_var.obj.size, 5);
    EXPECT_TRUE(Run("set obj.size 0").empty());
    EXPECT_EQ(g_var.obj.size, 5);
}

TEST_F(Commands, SetRunsTheSideEffectOfAnAcceptedValueOnly)
{
    static int s_calls;
    s_calls = 0;
    g_varHooks.objSize = [] { ++s_calls; };
    Run("set obj.size 7");
    Run("set obj.size 99");
    EXPECT_EQ(s_calls, 1);
    EXPECT_EQ(g_var.obj.size, 7);
}

TEST_F(Commands, HistoryNumbersEveryLineIncludingItself)
{
    EXPECT_EQ(Run("history"), std::vector<std::string>{"  1  history"});
    Run("ver");
    Run("nonsense");
    std::vector<std::string> h = Run("history extra words");
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(h[1], "  2  ver");
    EXPECT_EQ(h[2], "  3  nonsense");
    EXPECT_EQ(h[3], "  4  history extra words");
}

TEST_F(Commands, VerPrintsFourVersionLines)
{
    std::vector<std::string> v = Run("ver");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_TRUE(std::regex_match(v[0], std::regex("Skytrace = [A-Z][a-z]{2} [ 0-9]\\d \\d{4}"))) << v[0];
    EXPECT_EQ(v[1], "SGP4 Library = Nov 13 2022");
    char expect[64];
    std::snprintf(expect, sizeof expect, "SDL Compiled = %d.%d.%d", SDL_MAJOR_VERSION,
                  SDL_MINOR_VERSION, SDL_PATCHLEVEL);
    EXPECT_EQ(v[2], expect);
    EXPECT_TRUE(std::regex_match(v[3], std::regex("SDL Linked = 2\\.\\d+\\.\\d+"))) << v[3];
}
