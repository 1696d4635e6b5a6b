#include "console/args.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include "support/sk.h"

Args_t* malloc_args(int maxLen, int maxArgs)
{
    if (maxLen < 0 || maxArgs < 1)
        return nullptr;
    Args_t* a = static_cast<Args_t*>(std::calloc(1, sizeof(Args_t)));
    if (!a)
        return nullptr;
    a->line = static_cast<char*>(std::calloc(static_cast<size_t>(maxLen) + 1, 1));
    a->args = static_cast<Arg_t*>(std::calloc(static_cast<size_t>(maxArgs), sizeof(Arg_t)));
    if (!a->line || !a->args) {
        free_args(a);
        return nullptr;
    }
    a->maxLen = maxLen;
    a->capacity = maxArgs;
    return a;
}

void free_args(Args_t* args)
{
    if (!args)
        return;
    std::free(args->line);
    std::free(args->args);
    std::free(args);
}

// An integer word must fit an int: a number beyond the range is not narrowed
// into a different one but left to the later rules (strtol saturates, so an
// overflow lands outside the range too).
static bool fits_int(long v, int& out)
{
    if (v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

static void classify(Arg_t& a, const keyword_t* keywords)
{
    a.kind = ARG_WORD;
    a.notation = 0;
    a.value.i = 0;
    for (const keyword_t* k = keywords; k && k->text; ++k) {
        if (std::strcmp(a.text, k->text) == 0) {
            a.kind = ARG_KEYWORD;
            a.value.i = k->id;
            return;
        }
    }
    int v = 0;
    if (sk_isoct(a.text, 1) && fits_int(std::strtol(a.text, nullptr, 8), v))
        a.notation = ARG_OCT;
    else if (sk_isdec(a.text) && fits_int(std::strtol(a.text, nullptr, 10), v))
        a.notation = ARG_DEC;
    else if (sk_ishex(a.text, 1) && fits_int(sk_hextol(a.text), v))
        a.notation = ARG_HEX;
    if (a.notation != 0) {
        a.kind = ARG_INT;
        a.value.i = v;
    } else if (sk_isreal(a.text)) {
        a.kind = ARG_REAL;
        a.value.f = std::strtof(a.text, nullptr);
    }
}

int line_to_args(Args_t* args, const char* line, const keyword_t* keywords)
{
    size_t n = std::strlen(line);
    if (n > static_cast<size_t>(args->maxLen))
        n = static_cast<size_t>(args->maxLen);
    std::memcpy(args->line, line, n);
    args->line[n] = '\0';
    args->count = 0;

    bool inWord = false;
    bool quoted = false;
    for (char* p = args->line; *p; ++p) {
        if (!inWord) {
            if (*p == ' ')
                continue;
            Arg_t& a = args->args[args->count++];
            quoted = *p == '"';
            a.text = quoted ? p + 1 : p;
            inWord = true;
            // The last word that fits is not cut: it runs to the end.
            if (args->count == args->capacity) {
                inWord = false;
                break;
            }
        } else if (quoted ? *p == '"' : *p == ' ') {
            *p = '\0';
            inWord = false;
        }
    }
    for (int i = 0; i < args->count; ++i)
        classify(args->args[i], keywords);
    return inWord && quoted ? -1 : 0;
}
