#include "console/con_input.h"

#include "console/lnedit.h"

int ConInput::Message(int op, uintptr_t arg)
{
    int flags = 0;
    switch (op) {
    case CI_TOGGLE_INS: LE_SetIns(!LE_IsIns()); return 0;
    case CI_CLEAR: flags = LE_Clear(); break;
    case CI_REPLACE:
        flags = LE_Clear();
        flags |= LE_PutStr(reinterpret_cast<const char*>(arg));
        break;
    case CI_START: flags = LE_Start(); break;
    case CI_LEFT: flags = LE_Left(); break;
    case CI_RIGHT: flags = LE_Right(); break;
    case CI_END: flags = LE_End(); break;
    case CI_BACKSPACE: flags = LE_Backspace(); break;
    case CI_DELETE: flags = LE_Delete(); break;
    case CI_PUTCHR: flags = LE_PutChr(static_cast<int>(arg & 0xFF)); break;
    case CI_PUTSTR: flags = LE_PutStr(reinterpret_cast<const char*>(arg)); break;
    default: return 0;
    }
    if (flags & LE_RESIZED)
        UpdateHeight();
    else if ((flags & LE_MOVED) && m_wrap != 0 && Rows() > m_height)
        m_height = Rows();  // the cursor reached a cell below the last row
    return flags;
}

// Rows of the prompt and text, with a cell of its own for a cursor that
// stands after the last character.
unsigned long ConInput::Rows() const
{
    return LenToWrapLineCount(m_promptLen + LE_Len() + (LE_IsEnd() ? 1 : 0));
}

void ConInput::UpdateHeight()
{
    if (m_wrap != 0)
        m_height = Rows();
}

const char* ConInput::PromptAndInput()
{
    m_text.assign(m_prompt, m_promptLen);
    m_text.append(LE_Line(), LE_Len());
    return m_text.c_str();
}

const char* ConInput::Line(unsigned long i)
{
    PromptAndInput();
    if (m_wrap == 0)
        return m_text.c_str();
    unsigned long start = i * m_wrap;
    if (start > m_text.size())
        start = m_text.size();
    m_row.assign(m_text, start, m_wrap);
    return m_row.c_str();
}

void ConInput::CursorPos(unsigned long& row, unsigned long& col) const
{
    unsigned long p = m_promptLen + LE_Pos();
    row = p / m_wrap;
    col = p % m_wrap;
}

int ConInput::CurChr() const
{
    if (LE_IsEnd())
        return ' ';
    return static_cast<unsigned char>(LE_Line()[LE_Pos()]);
}
