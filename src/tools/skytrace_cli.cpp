// skytrace-cli: the command-line companion of Skytrace.
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/app_version.h"
#include "tools/cli.h"

static std::vector<cliCommand_t>& commands()
{
    static std::vector<cliCommand_t> s_commands;
    return s_commands;
}

cliRegistrar::cliRegistrar(const cliCommand_t& cmd)
{
    commands().push_back(cmd);
}

static void print_help(FILE* out)
{
    std::fprintf(out, "Usage: skytrace-cli COMMAND [ARGS]\n"
                      "       skytrace-cli --help | --version\n\nCommands:\n");
    for (const cliCommand_t& c : commands())
        std::fprintf(out, "%s\n", c.usage);
    std::fprintf(out, "\nExit status: 0 the input was read, 1 it cannot be read or is in no\n"
                      "known format, 2 wrong arguments.\nManual: man skytrace-cli\n");
}

int cli_usage(const char* name)
{
    for (const cliCommand_t& c : commands())
        if (std::strcmp(c.name, name) == 0)
            std::fprintf(stderr, "Usage:\n%s\n", c.usage);
    return CLI_USAGE;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        print_help(stderr);
        return CLI_USAGE;
    }
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        print_help(stdout);
        return CLI_OK;
    }
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("skytrace-cli %s\n", app_version());
        return CLI_OK;
    }
    for (const cliCommand_t& c : commands())
        if (std::strcmp(c.name, argv[1]) == 0)
            return c.run(argc - 1, argv + 1);
    std::fprintf(stderr, "skytrace-cli: unknown command '%s'\n", argv[1]);
    print_help(stderr);
    return CLI_USAGE;
}
