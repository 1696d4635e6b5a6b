// The console model: output and input joined into one column of rows wrapped
// at the view's width, with the scroll position and the command history.
#pragma once
#include <cstdint>

#include "console/con_history.h"
#include "console/con_input.h"
#include "console/con_output.h"

// Scrolling operations of CConsole::Scroll.
enum conScrollOp {
    CS_TOP = 0,
    CS_BOTTOM = 1,
    CS_LINE_UP = 2,
    CS_LINE_DOWN = 3,
    CS_PAGE_UP = 4,
    CS_PAGE_DOWN = 5,
};

class CConsole {
public:
    CConsole();

    // Rows and columns of whole glyph cells the view shows.
    void SetSize(unsigned long rows, unsigned long cols);
    // Walk of the visible rows: null after the last one.
    const char* FirstVisibleLine();
    const char* NextVisibleLine();
    // Row i counted over the output's rows and then the input's.
    const char* Line(unsigned long i);
    // The cursor cell relative to the first visible row; false when it is
    // out of view or the console has no size yet.
    bool IsCursorVisible(unsigned long& row, unsigned long& col) const;
    // True when the first visible row changed.
    bool Scroll(int op);
    // An editing operation on the input line (ConInput::Message); editing
    // and cursor keys bring the input line into view.
    int Input(int op, uintptr_t arg = 0);
    int Input(int op, const char* text) { return Input(op, reinterpret_cast<uintptr_t>(text)); }
    // Echoes the input line, records and runs it, and clears it.
    void Execute();
    // Adds an output line and scrolls to the bottom.
    void AppendOutput(const char* text);
    bool HistoryBackward();
    bool HistoryForward();

    unsigned long Rows() const { return m_rows; }
    unsigned long Cols() const { return m_cols; }
    unsigned long Top() const { return m_top; }
    unsigned long Total() const { return m_output.Height() + m_input.Height(); }
    ConInput& GetInput() { return m_input; }
    ConOutput& GetOutput() { return m_output; }
    const ConHistory& History() const { return m_history; }

private:
    // Greatest top that keeps the view filled: max(0, total - rows).
    unsigned long MaxTop() const;

    unsigned long m_rows = 0;
    unsigned long m_cols = 0;
    unsigned long m_top = 0;
    unsigned long m_iter = 0;
    ConInput m_input;
    ConOutput m_output;
    ConHistory m_history;
};
