// Sequences of console editing operations: each input byte picks one
// operation, the following bytes give its argument. After every step the
// line editor's invariants must hold and the visible rows must fit the view.
#include <cstring>
#include <string>

#include "console/console.h"
#include "console/lnedit.h"
#include "fuzz_util.h"
#include "settings/vars.h"

namespace {

struct bytes_t {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool more() const { return at < size; }
    uint8_t next() { return at < size ? data[at++] : 0; }
};

void check(CConsole& con)
{
    const uint64_t len = LE_Len();
    if (LE_Pos() > len || len > LE_CAP || LE_Line()[len] != '\0')
        __builtin_trap();
    unsigned long rows = 0;
    for (const char* row = con.FirstVisibleLine(); row; row = con.NextVisibleLine())
        if (con.Cols() != 0 && std::strlen(row) > con.Cols())
            __builtin_trap();
        else
            ++rows;
    // A view without rows may still be handed its first row.
    if (rows > con.Rows() && rows > 1)
        __builtin_trap();
    unsigned long r = 0, c = 0;
    if (con.IsCursorVisible(r, c) && (r >= con.Rows() || c >= con.Cols()))
        __builtin_trap();
    con.GetInput().CurChr();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return fuzz_home_in_scratch();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LE_SetIns(1);
    LE_Clear();
    CConsole con;
    bytes_t in{data, size};
    std::string text;
    while (in.more()) {
        const uint8_t op = in.next();
        static const int s_keys[] = {CI_TOGGLE_INS, CI_CLEAR, CI_START,     CI_LEFT,
                                     CI_RIGHT,      CI_END,   CI_BACKSPACE, CI_DELETE};
        if (op % 20 < 8)
            con.Input(s_keys[op % 20]);
        switch (op % 20) {
        case 8: con.Input(CI_PUTCHR, in.next()); break;
        case 9:
        case 10: {
            // A short text from the input, or a long run of one character
            // that fills the line quickly.
            const uint8_t n = in.next();
            if (op % 20 == 9) {
                text.clear();
                for (uint8_t i = 0; i < n % 32 && in.more(); ++i)
                    text += char(in.next() | 1);
            } else {
                text.assign(size_t(n) * 32, char('a' + n % 26));
            }
            con.Input(op & 0x80 ? CI_REPLACE : CI_PUTSTR, text.c_str());
            break;
        }
        case 11: con.Scroll(in.next() % 6); break;
        case 12: {
            const uint8_t rows = in.next();
            con.SetSize(rows % 40, in.next() % 100);
            break;
        }
        case 13: con.Execute(); break;
        case 14: con.HistoryBackward(); break;
        case 15: con.HistoryForward(); break;
        case 16: con.AppendOutput(std::string(in.next() % 200, 'o').c_str()); break;
        default: break;
        }
        check(con);
    }
    var_reset();
    return 0;
}
