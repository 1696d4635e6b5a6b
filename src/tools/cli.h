// skytrace-cli subcommands. Each subcommand file registers itself with a
// static cliRegistrar; main dispatches on the first argument.
#pragma once

// Exit codes shared by every subcommand.
enum cliExit {
    CLI_OK = 0,        // the input was read
    CLI_UNREADABLE = 1,  // the input cannot be read or is in no known format
    CLI_USAGE = 2,     // wrong arguments
};

struct cliCommand_t {
    const char* name;
    const char* usage;  // one or more lines for --help, without the program name
    int (*run)(int argc, char** argv);  // argv[0] is the subcommand name
};

struct cliRegistrar {
    explicit cliRegistrar(const cliCommand_t& cmd);
};

// Prints the usage of one subcommand to stderr and returns CLI_USAGE.
int cli_usage(const char* name);
