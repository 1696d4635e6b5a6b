// The console's command processor: history, set and ver, and find, select
// and passes over the catalogue.
#pragma once
#include "console/args.h"

class CConsole;
struct object_t;

// Command ids of the command table.
enum cmdId {
    CMD_HISTORY = 1,
    CMD_SET = 2,
    CMD_VER = 3,
    CMD_FIND = 4,
    CMD_SELECT = 5,
    CMD_PASSES = 6,
};

// find lists at most this many satellites.
constexpr int CMD_FIND_MAX = 20;
// passes searches at most this many hours ahead.
constexpr double CMD_PASSES_MAX_HOURS = 240.0;

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
// find TEXT: the satellites whose name matches TEXT as a data manager name
// pattern does, or whose catalogue number (decimal or Alpha-5) is TEXT.
// Words after the first join with one blank.
int do_find_cmd(Args_t& args, CConsole* console);
// select TEXT: the first of those, in catalogue order, with a position,
// selected through g_conSelObj.
int do_select_cmd(Args_t& args, CConsole* console);
// passes [HOURS]: the selected satellite's passes over the observer.
int do_passes_cmd(Args_t& args, CConsole* console);

// How select selects a satellite: the main window's selection, installed
// with the window's hooks; null selects nothing.
extern void (*g_conSelObj)(object_t* o);

// A variable's value as text into dst (TEXT_CAP bytes); empty when the
// variable has no value.
void get_var_value_as_str(char* dst, int id);
