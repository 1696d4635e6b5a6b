// Console editing operations, one per input byte with arguments from the next
// bytes; after every step the line editor's invariants hold, rows fit the view.
#include <cstring>
#include <string>

#include "console/console.h"
#include "console/lnedit.h"
#include "fuzz_util.h"
#include "settings/vars.h"

namespace {

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
    size_t at = 0;
    const auto next = [&] { return at < size ? data[at++] : uint8_t(0); };
    std::string text;
    while (at < size) {
        const uint8_t op = next();
        static const int s_keys[] = {CI_TOGGLE_INS, CI_CLEAR, CI_START,     CI_LEFT,
                                     CI_RIGHT,      CI_END,   CI_BACKSPACE, CI_DELETE};
        if (op % 20 < 8)
            con.Input(s_keys[op % 20]);
        switch (op % 20) {
        case 8: con.Input(CI_PUTCHR, next()); break;
        case 9:
        case 10: {
            // A short text from the input, or a long run that fills the line.
            const uint8_t n = next();
            if (op % 20 == 9) {
                text.clear();
                for (uint8_t i = 0; i < n % 32 && at < size; ++i)
                    text += char(next() | 1);
            } else {
                text.assign(size_t(n) * 32, char('a' + n % 26));
            }
            con.Input(op & 0x80 ? CI_REPLACE : CI_PUTSTR, text.c_str());
            break;
        }
        case 11: con.Scroll(next() % 6); break;
        case 12: {
            const uint8_t rows = next();
            con.SetSize(rows % 40, next() % 100);
            break;
        }
        case 13: con.Execute(); break;
        case 14: con.HistoryBackward(); break;
        case 15: con.HistoryForward(); break;
        case 16: con.AppendOutput(std::string(next() % 200, 'o').c_str()); break;
        default: break;
        }
        check(con);
    }
    var_reset();
    return 0;
}
