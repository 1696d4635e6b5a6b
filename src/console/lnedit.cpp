#include "console/lnedit.h"

#include <cassert>
#include <cstring>

static char s_line[LE_CAP + 1];
static uint64_t s_len;
static uint64_t s_pos;  // 0 to s_len: the cursor may stand after the last character
static int s_ins = 1;

char* LE_Line() { return s_line; }
uint64_t LE_Len() { return s_len; }
uint64_t LE_Pos() { return s_pos; }
bool LE_IsEnd() { return s_pos == s_len; }
int LE_IsIns() { return s_ins; }
void LE_SetIns(int ins) { s_ins = ins; }

// Moves the text from the cursor one place right; on a full line the last
// character falls off. Every caller keeps s_pos <= s_len, so the assertion
// guards the code, not the input.
static void LE_ShR()
{
    assert(s_pos <= s_len && "s_pos <= s_len");
    uint64_t n = s_len < LE_CAP ? s_len - s_pos : s_len - s_pos - 1;
    std::memmove(s_line + s_pos + 1, s_line + s_pos, n);
    if (s_len < LE_CAP)
        ++s_len;
    s_line[s_len] = '\0';
}

// Moves the text after the cursor one place left over the cursor character.
static void LE_ShL()
{
    assert(s_pos < s_len && "s_pos < s_len");
    std::memmove(s_line + s_pos, s_line + s_pos + 1, s_len - s_pos - 1);
    --s_len;
    s_line[s_len] = '\0';
}

int LE_Left()
{
    if (s_pos == 0)
        return 0;
    --s_pos;
    return LE_MOVED;
}

int LE_Right()
{
    if (s_pos >= s_len)
        return 0;
    ++s_pos;
    return LE_MOVED;
}

int LE_Start()
{
    if (s_pos == 0)
        return 0;
    s_pos = 0;
    return LE_MOVED;
}

int LE_End()
{
    if (s_pos == s_len)
        return 0;
    s_pos = s_len;
    return LE_MOVED;
}

int LE_PutChr(int c)
{
    char ch = static_cast<char>(c & 0xFF);
    if (s_pos == s_len) {
        if (s_len >= LE_CAP)
            return 0;
        s_line[s_len++] = ch;
        s_line[s_len] = '\0';
        ++s_pos;
        return LE_MOVED | LE_RESIZED;
    }
    if (!s_ins) {
        s_line[s_pos++] = ch;
        return LE_MOVED | LE_CHANGED;
    }
    int flags = LE_MOVED | LE_CHANGED | (s_len < LE_CAP ? LE_RESIZED : 0);
    LE_ShR();
    s_line[s_pos++] = ch;
    return flags;
}

int LE_PutStr(const char* s)
{
    int flags = 0;
    for (; *s; ++s)
        flags |= LE_PutChr(static_cast<unsigned char>(*s));
    return flags;
}

int LE_Backspace()
{
    if (s_pos == 0)
        return 0;
    --s_pos;
    LE_ShL();
    return LE_MOVED | LE_CHANGED | LE_RESIZED;
}

int LE_Delete()
{
    if (s_pos >= s_len)
        return 0;
    LE_ShL();
    return LE_CHANGED | LE_RESIZED;
}

int LE_Clear()
{
    if (s_len == 0)
        return 0;
    s_len = 0;
    s_line[0] = '\0';
    if (s_pos == 0)
        return LE_CHANGED | LE_RESIZED;
    s_pos = 0;
    return LE_MOVED | LE_CHANGED | LE_RESIZED;
}
