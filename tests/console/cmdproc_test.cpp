#include "console/cmdproc.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <regex>

#include "con_fixture.h"

const keyword_t kWords[] = {{1, "history"}, {2, "set"}, {3, "ver"}, {0, nullptr}};

class Commands : public ConsoleTest {
protected:
    int Set(const char* line)
    {
        line_to_args(args.get(), line, kWords);
        return do_set_cmd(*args, &con);
    }
    const Arg_t& A(int i) { return args->args[i]; }
    std::unique_ptr<Args_t, void (*)(Args_t*)> args{malloc_args(300, 20), free_args};
};

TEST_F(Commands, WordsAreSplitAndClassified)
{
    EXPECT_EQ(line_to_args(args.get(), "  \"a b\"cd x\"y c\td ", kWords), 0);
    ASSERT_EQ(args->count, 4);
    EXPECT_STREQ(A(0).text, "a b");
    EXPECT_STREQ(A(1).text, "cd");  // a closing quote ends the word
    EXPECT_STREQ(A(2).text, "x\"y");
    EXPECT_STREQ(A(3).text, "c\td");
    EXPECT_EQ(line_to_args(args.get(), "set \"open to the end", kWords), -1);
    EXPECT_STREQ(A(1).text, "open to the end");

    line_to_args(args.get(), "w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11 w12 w13 w14 w15 w16 w17 w18 w19 w20 w21 w22 w23 w24 w25 ",
                 kWords);
    ASSERT_EQ(args->count, 20);
    EXPECT_STREQ(A(19).text, "w20 w21 w22 w23 w24 w25 ");

    line_to_args(args.get(), "set SET 0 010 -017 08 0x1F $1F 1.5 2e3 99999999999 0x1FFFFFFFF", kWords);
    ASSERT_EQ(args->count, 12);
    EXPECT_TRUE(A(0).kind == ARG_KEYWORD && A(1).kind == ARG_WORD);  // keywords are case-sensitive
    const int notation[] = {ARG_DEC, ARG_OCT, ARG_OCT, ARG_DEC, ARG_HEX, ARG_HEX}, value[] = {0, 8, -15, 8, 31, 31};
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(A(i + 2).kind == ARG_INT && A(i + 2).notation == notation[i] && A(i + 2).value.i == value[i])
            << A(i + 2).text;
    EXPECT_TRUE(A(8).kind == ARG_REAL && A(9).value.f == 2000.f);
    // Beyond the int range a number is no integer: never narrowed.
    EXPECT_TRUE(A(10).kind == ARG_REAL && A(11).kind == ARG_WORD);
}

TEST_F(Commands, HistoryVerAndSetTexts)
{
    EXPECT_EQ(Run("history"), std::vector<std::string>{"  1  history"});
    std::vector<std::string> v = Run("ver");
    ASSERT_EQ(v.size(), 4u);
    EXPECT_TRUE(std::regex_match(v[0], std::regex("Skytrace = [A-Z][a-z]{2} [ 0-9]\\d \\d{4}"))) << v[0];
    EXPECT_TRUE(std::regex_match(v[3], std::regex("SDL Linked = 2\\.\\d+\\.\\d+"))) << v[3];
    EXPECT_EQ(Run("history again"), (std::vector<std::string>{"  1  history", "  2  ver", "  3  history again"}));

    std::vector<std::string> all = Run("set");
    ASSERT_EQ(all.size(), 41u);
    EXPECT_TRUE(all.front().rfind("app.base = ", 0) == 0 && all[26] == "plot.bg.color = 0 0 0 255" &&
                all[30] == "win.font = ");
    // The observer's settings follow, sorted by name, with their defaults.
    const std::vector<std::string> observer(all.begin() + 31, all.end());
    EXPECT_EQ(observer, (std::vector<std::string>{
                            "foot.color = 0 255 255 255", "foot.show = 0", "night.color = 0 0 0 128",
                            "night.show = 0", "obs.alt = 0", "obs.color = 255 0 255 255", "obs.lat = 0",
                            "obs.lon = 0", "obs.minel = 10", "obs.show = 0"}));
    EXPECT_EQ(Run("set path.color"), std::vector<std::string>{"255 255 0 160"});
    EXPECT_EQ(Run("set ver"), std::vector<std::string>{"Unknown variable."});
    EXPECT_EQ(Run("SET obj.size 5"), std::vector<std::string>{"Unknown command."});

    EXPECT_TRUE(Set("set plot.bg.color 10 20 30") == 0 && g_var.plot.bg.color.a == 255);
    EXPECT_EQ(Set("set plot.bg.color 256 -1 0x10 010"), 0);
    EXPECT_EQ(Run("set plot.bg.color"), std::vector<std::string>{"0 255 16 8"});
    for (auto [line, want] : {std::pair{"set plot.bg.color 1 2", CMD_BAD_COUNT}, {"set obj.size 4 5", CMD_BAD_COUNT},
                              {"set plot.bg.color 1 2 3.0", CMD_BAD_VALUE}, {"set obj.size 2.5", CMD_BAD_VALUE},
                              {"set obj.size 4294967299", CMD_BAD_VALUE}, {"set lines.data 123", CMD_BAD_VALUE},
                              {"set lines.data ver", CMD_BAD_VALUE}})
        EXPECT_EQ(Set(line), want) << line;
    EXPECT_TRUE(Run("set obj.size 16").empty());  // refused silently
    EXPECT_TRUE(g_var.plot.bg.color.r == 0 && g_var.obj.size == 3);
    EXPECT_TRUE(Set("set lines.data \"my coast.dat\"") == 0 && !strcmp(g_var.lines.data, "my coast.dat"));

    // Reals are decimal, in double precision, and shown as the shortest text that reads back the same.
    EXPECT_TRUE(Run("set obs.lat 51.4778123456789").empty());
    EXPECT_TRUE(Run("set obs.lat") == std::vector<std::string>{"51.4778123456789"} && g_var.obs.lat == 51.4778123456789);
    for (auto [line, want] : {std::pair{"set obs.lon 010", 10.0}, {"set obs.lon -7", -7.0}, {"set obs.lon -0", 0.0}})
        EXPECT_TRUE(Set(line) == 0 && g_var.obs.lon == want && std::signbit(g_var.obs.lon) == (want < 0)) << line;
    for (auto [line, want] : {std::pair{"set obs.alt nan", CMD_BAD_VALUE}, {"set obs.alt 1e400", CMD_BAD_VALUE},
                              {"set obs.alt 0x10", CMD_BAD_VALUE}, {"set obs.alt 1 2", CMD_BAD_COUNT}})
        EXPECT_EQ(Set(line), want) << line;
    EXPECT_TRUE(Run("set obs.alt 10000.5").empty() && Run("set obs.show 2").empty());  // refused silently
    EXPECT_TRUE(g_var.obs.alt == 0.0 && !g_var.obs.show);
}

TEST_F(Commands, EverySetWithHostileValuesChangesAsDocumentedOrNotAtAll)
{
    const std::string values[] = {"garbage", "-1", "0", "-2147483648", "2147483647", "2147483648",
                                  "-99999999999999999999", "0x7fffffff", "0xffffffff", "037777777777",
                                  "1e400", "nan", "\"quoted text\"", "\"\"", "\"  padded  \"", "\"unterminated",
                                  "%s%n%x", std::string(2000, 'z'), "\"" + std::string(1000, 'q') + "\"",
                                  "inf", "-inf", "90.0000000000001", "-500", "1e-320", "+.5e1"};
    char before[TEXT_CAP], after[TEXT_CAP];
    ConOutput& out = con.GetOutput();
    for (const varName_t* v = var_table(); v->name; ++v) {
        const bool color = var_is_color(v->id), integer = var_is_int(v->id), real = var_is_real(v->id);
        for (const std::string& w : values) {
            const std::string line = "set " + std::string(v->name) + " " + (color ? w + " " + w + " " + w : w);
            SCOPED_TRACE(line.substr(0, 60));
            get_var_value_as_str(before, v->id);
            Run(line);
            get_var_value_as_str(after, v->id);
            Run("set " + std::string(v->name));  // still answering, with the value
            ASSERT_STREQ(out.Line(out.LineCount() - 1), after);
            const std::string now = after;
            if (now == before)
                continue;
            // The value word as the command line reads it (at most 300 characters).
            line_to_args(args.get(), line.c_str(), kWords);
            const Arg_t& a = A(2);
            const std::string text = a.text;
            if (color) {
                const std::string b = std::to_string(unsigned(a.value.i) & 0xFF);
                EXPECT_EQ(a.kind, ARG_INT);
                EXPECT_EQ(now, b + " " + b + " " + b + " 255");
            } else if (integer) {
                EXPECT_EQ(a.kind, ARG_INT);
                EXPECT_TRUE(now == std::to_string(a.value.i) || now == (a.value.i ? "1" : "0")) << now;
            } else if (real) {
                // A finite decimal number, taken as written.
                EXPECT_TRUE(a.kind == ARG_INT || a.kind == ARG_REAL);
                EXPECT_EQ(std::strtod(now.c_str(), nullptr), std::strtod(text.c_str(), nullptr)) << now;
            } else {
                // Text settings take the word; folders gain a final '/', and
                // an empty word restores a default.
                const size_t first = text.find_first_not_of(' ');
                const std::string trimmed =
                    first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') + 1 - first);
                EXPECT_EQ(a.kind, ARG_WORD);
                EXPECT_TRUE(trimmed.empty() || now == text || now == text + "/" || now == trimmed || now == trimmed + "/")
                    << now;
            }
        }
        var_reset();
    }
}
