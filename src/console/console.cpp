#include "console/console.h"

#include <cstring>
#include <string>

#include "console/cmdproc.h"
#include "console/lnedit.h"
#include "support/str.h"

CConsole::CConsole()
{
    init_cmdproc();
}

unsigned long CConsole::MaxTop() const
{
    unsigned long total = Total();
    return total > m_rows ? total - m_rows : 0;
}

void CConsole::SetSize(unsigned long rows, unsigned long cols)
{
    unsigned long total = Total();
    bool atBottom = total <= m_rows || m_top == total - m_rows;
    m_rows = rows;
    m_cols = cols;
    m_output.SetWrap(cols);
    m_input.SetWrap(cols);
    if (atBottom || m_top > MaxTop())
        m_top = MaxTop();
}

const char* CConsole::FirstVisibleLine()
{
    m_iter = m_top;
    if (m_top >= Total())
        return nullptr;
    return Line(m_top);
}

const char* CConsole::NextVisibleLine()
{
    ++m_iter;
    if (m_iter >= Total() || m_iter >= m_top + m_rows)
        return nullptr;
    return Line(m_iter);
}

const char* CConsole::Line(unsigned long i)
{
    unsigned long hout = m_output.Height();
    if (i < hout)
        return m_output.Line(i);
    return m_input.Line(i - hout);
}

bool CConsole::IsCursorVisible(unsigned long& row, unsigned long& col) const
{
    if (m_input.Wrap() == 0)
        return false;
    unsigned long r = 0;
    m_input.CursorPos(r, col);
    r += m_output.Height();
    if (r < m_top || r >= m_top + m_rows)
        return false;
    row = r - m_top;
    return true;
}

bool CConsole::Scroll(int op)
{
    unsigned long old = m_top;
    if (m_top > MaxTop())
        m_top = MaxTop();
    if (m_top != 0) {
        if (op == CS_PAGE_UP)
            m_top = m_top <= m_rows ? 0 : m_top - m_rows;
        else if (op == CS_LINE_UP)
            --m_top;
        else if (op == CS_TOP)
            m_top = 0;
    }
    unsigned long total = Total();
    if (total > m_rows) {
        unsigned long last = total - m_rows;
        if (op == CS_BOTTOM)
            m_top = last;
        else if (m_top < last) {
            if (op == CS_PAGE_DOWN)
                m_top = m_top + m_rows < last ? m_top + m_rows : last;
            else if (op == CS_LINE_DOWN)
                ++m_top;
        }
    }
    return m_top != old;
}

int CConsole::Input(int op, uintptr_t arg)
{
    int flags = m_input.Message(op, arg);
    if (op >= CI_START || flags != 0)
        Scroll(CS_BOTTOM);
    return flags;
}

void CConsole::Execute()
{
    AppendOutput(m_input.PromptAndInput());
    // The command runs on a trimmed copy; the editor line is cleared below.
    std::string line(LE_Line(), LE_Len());
    str_trim(&line[0]);
    line.resize(std::strlen(line.c_str()));
    if (line[0] != '\0') {
        m_history.Append(line.c_str());
        cmdproc(line.c_str(), this);
    }
    Input(CI_CLEAR);
}

void CConsole::AppendOutput(const char* text)
{
    m_output.Append(text);
    m_top = MaxTop();
}

bool CConsole::HistoryBackward()
{
    const char* entry = m_history.Backward();
    if (!entry)
        return false;
    Input(CI_REPLACE, entry);
    return true;
}

bool CConsole::HistoryForward()
{
    const char* entry = m_history.Forward();
    if (entry) {
        Input(CI_REPLACE, entry);
        return true;
    }
    Input(CI_CLEAR);
    return false;
}
