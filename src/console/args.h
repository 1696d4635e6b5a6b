// A command line cut into classified words.
#pragma once

// Kinds of word.
enum argKind {
    ARG_WORD = 0,     // plain word
    ARG_KEYWORD = 1,  // a word of the keyword table; value.i is its id
    ARG_REAL = 2,     // value.f
    ARG_INT = 3,      // value.i, written in the notation below
};

// Notations of integers.
enum argNotation {
    ARG_DEC = 4,
    ARG_HEX = 5,
    ARG_OCT = 6,
};

struct Arg_t {
    int kind;
    int notation;  // integers only
    union {
        int i;
        float f;
    } value;
    char* text;  // the word inside the line buffer, without its quotes
};

struct Args_t {
    char* line;  // private copy of the line, cut into words in place
    int maxLen;  // the copy holds at most maxLen characters
    Arg_t* args;
    int capacity;
    int count;  // words found in the last line
};

// One keyword of a table ended by {0, nullptr}.
struct keyword_t {
    int id;
    const char* text;
};

// Null when memory runs out.
Args_t* malloc_args(int maxLen, int maxArgs);
void free_args(Args_t* args);

// Cuts line into words: blanks separate them, double quotes enclose a word
// with blanks; the last word that fits the capacity keeps the rest of the
// line. Each word is classified against keywords. 0, or -1 when the line
// ended inside a quoted word (the words found are still valid).
int line_to_args(Args_t* args, const char* line, const keyword_t* keywords);
