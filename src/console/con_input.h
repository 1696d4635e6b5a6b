// The console's input area: the prompt followed by the line editor's text.
#pragma once
#include <cstdint>
#include <string>

#include "console/con_io.h"

// Editing operations of ConInput::Message.
enum conInputOp {
    CI_TOGGLE_INS = 2,
    CI_CLEAR = 3,
    CI_REPLACE = 4,  // arg: address of the new text
    CI_START = 5,
    CI_LEFT = 6,
    CI_RIGHT = 7,
    CI_END = 8,
    CI_BACKSPACE = 9,
    CI_DELETE = 10,
    CI_PUTCHR = 11,  // arg: the character code
    CI_PUTSTR = 12,  // arg: address of the text to type
};

class ConInput : public ConIO {
public:
    // Applies one editing operation to the line editor; returns its change
    // flags (lnedit.h). arg is a character code or a text's address.
    int Message(int op, uintptr_t arg = 0);
    int Message(int op, const char* text) { return Message(op, reinterpret_cast<uintptr_t>(text)); }

    unsigned long LineCount() const override { return 1; }
    void UpdateHeight() override;

    // Row i of the wrapped prompt and text (all of it while unwrapped).
    const char* Line(unsigned long i);
    const char* PromptAndInput();
    // Cursor cell within the input area; needs a wrap width of at least 1.
    void CursorPos(unsigned long& row, unsigned long& col) const;
    // Character under the cursor (0 to 255), a blank at the end of the line.
    int CurChr() const;
    unsigned long PromptLen() const { return m_promptLen; }

private:
    unsigned long Rows() const;

    char m_prompt[32] = ">";
    unsigned long m_promptLen = 1;
    std::string m_text;  // prompt + editor text, rebuilt when asked for
};
