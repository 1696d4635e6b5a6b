// The console's command processor: history, set and ver.
#pragma once
#include "console/args.h"

class CConsole;

// Command ids of the command table.
enum cmdId {
    CMD_HISTORY = 1,
    CMD_SET = 2,
    CMD_VER = 3,
};

// Results of set besides 0.
constexpr int CMD_BAD_COUNT = 500;  // wrong number of words for the variable's kind
constexpr int CMD_BAD_VALUE = 501;  // a value word of the wrong kind

// Creates the parser state once; 0, or -1 when memory ran out.
int init_cmdproc();
// Runs one trimmed, non-empty line; its output goes to the console.
// 0, or -1 for an unknown command (or no parser).
int cmdproc(const char* line, CConsole* console);

int do_hist_cmd(Args_t& args, CConsole* console);
int do_set_cmd(Args_t& args, CConsole* console);
int do_ver_cmd(Args_t& args, CConsole* console);

// A variable's value as text into dst (TEXT_CAP bytes); empty when the
// variable has no value.
void get_var_value_as_str(char* dst, int id);
