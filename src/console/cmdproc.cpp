#include "console/cmdproc.h"

#include <SDL_version.h>

#include <cstdio>
#include <string>

#include "console/console.h"
#include "settings/vars.h"
#include "support/sk.h"
#include "support/str.h"
#include "support/types.h"

static const keyword_t s_names[] = {
    {CMD_HISTORY, "history"},
    {CMD_SET, "set"},
    {CMD_VER, "ver"},
    {CMD_FIND, "find"},
    {CMD_SELECT, "select"},
    {CMD_PASSES, "passes"},
    {0, nullptr},
};

static Args_t* s_args;

int init_cmdproc()
{
    if (!s_args)
        s_args = malloc_args(300, 20);
    return s_args ? 0 : -1;
}

int cmdproc(const char* line, CConsole* console)
{
    if (!s_args)
        return -1;
    line_to_args(s_args, line, s_names);
    if (s_args->count == 0)
        return 0;
    const Arg_t& first = s_args->args[0];
    if (first.kind != ARG_KEYWORD) {
        console->AppendOutput("Unknown command.");
        return -1;
    }
    switch (first.value.i) {
    case CMD_HISTORY: do_hist_cmd(*s_args, console); break;
    case CMD_SET: do_set_cmd(*s_args, console); break;
    case CMD_VER: do_ver_cmd(*s_args, console); break;
    case CMD_FIND: do_find_cmd(*s_args, console); break;
    case CMD_SELECT: do_select_cmd(*s_args, console); break;
    case CMD_PASSES: do_passes_cmd(*s_args, console); break;
    default: break;
    }
    return 0;
}

int do_hist_cmd(Args_t&, CConsole* console)
{
    const ConHistory& h = console->History();
    std::string line;
    for (unsigned long i = 0; i < h.Count(); ++i) {
        char num[32];
        std::snprintf(num, sizeof num, "%3lu  ", i + 1);
        line = num;
        line += h.Entry(i);
        console->AppendOutput(line.c_str());
    }
    return 0;
}

void get_var_value_as_str(char* dst, int id)
{
    dst[0] = '\0';
    double real = 0.0;
    if (var_is_real(id)) {
        if (var_get_real(real, id))
            str_real(dst, TEXT_CAP, real);
    } else if (var_is_color(id)) {
        color4b_t c;
        if (var_get_color(c, id))
            std::snprintf(dst, TEXT_CAP, "%d %d %d %d", c.r, c.g, c.b, c.a);
    } else if (var_is_int(id)) {
        int v = 0;
        if (var_get_int(v, id))
            std::snprintf(dst, TEXT_CAP, "%d", v);
    } else if (const char* s = var_get_str(id)) {
        str_copy(dst, s, TEXT_CAP);
    }
}

// The low 8 bits of an integer word: 256 gives 0 and -1 gives 255.
static uint8_t low_byte(const Arg_t& a)
{
    return static_cast<uint8_t>(static_cast<unsigned>(a.value.i) & 0xFFu);
}

int do_set_cmd(Args_t& args, CConsole* console)
{
    char value[TEXT_CAP];
    int n = args.count;
    if (n == 1) {
        std::string line;
        for (const varName_t* v = var_table(); v->name; ++v) {
            get_var_value_as_str(value, v->id);
            line = v->name;
            line += " = ";
            line += value;
            console->AppendOutput(line.c_str());
        }
        return 0;
    }
    int id = var_find(args.args[1].text);
    if (id == 0) {
        console->AppendOutput("Unknown variable.");
        return 0;
    }
    if (n == 2) {
        get_var_value_as_str(value, id);
        console->AppendOutput(value);
        return 0;
    }
    if (var_is_color(id)) {
        if (n != 5 && n != 6)
            return CMD_BAD_COUNT;
        for (int i = 2; i < n; ++i)
            if (args.args[i].kind != ARG_INT)
                return CMD_BAD_VALUE;
        color4b_t c = {low_byte(args.args[2]), low_byte(args.args[3]), low_byte(args.args[4]),
                       n == 6 ? low_byte(args.args[5]) : uint8_t(255)};
        var_set_color(id, c);
        return 0;
    }
    if (n != 3)
        return CMD_BAD_COUNT;
    const Arg_t& a = args.args[2];
    if (var_is_real(id)) {
        // Reals are read from the word's own text in decimal and in double
        // precision (010 is 10, not octal); NaN and infinities are no numbers.
        double v = 0.0;
        if (!sk_toreal(a.text, &v))
            return CMD_BAD_VALUE;
        var_set_real(id, v);
    } else if (var_is_int(id)) {
        if (a.kind != ARG_INT)
            return CMD_BAD_VALUE;
        var_set_int(id, a.value.i);
    } else {
        if (a.kind != ARG_WORD)
            return CMD_BAD_VALUE;
        var_set_str(id, a.text);
    }
    return 0;
}

int do_ver_cmd(Args_t&, CConsole* console)
{
    char line[128];
    std::snprintf(line, sizeof line, "Skytrace = %s", __DATE__);
    console->AppendOutput(line);
    console->AppendOutput("SGP4 Library = Nov 13 2022");
    SDL_version v;
    SDL_VERSION(&v);
    std::snprintf(line, sizeof line, "SDL Compiled = %d.%d.%d", v.major, v.minor, v.patch);
    console->AppendOutput(line);
    SDL_GetVersion(&v);
    std::snprintf(line, sizeof line, "SDL Linked = %d.%d.%d", v.major, v.minor, v.patch);
    console->AppendOutput(line);
    return 0;
}
