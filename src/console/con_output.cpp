#include "console/con_output.h"

#include <cstring>

void ConOutput::Append(const char* text)
{
    bool removedLongest = false;
    if (m_lines.size() >= m_maxLines) {
        unsigned long removed = m_lines.front().size();
        if (m_wrap != 0)
            m_height -= LenToWrapLineCount(removed);
        removedLongest = removed == m_longest;
        m_lines.erase(m_lines.begin());
    }
    m_lines.emplace_back(text);
    unsigned long len = m_lines.back().size();
    if (len >= m_longest)
        m_longest = len;
    else if (removedLongest)
        UpdateWidth();
    if (m_wrap != 0)
        m_height += LenToWrapLineCount(len);
}

const char* ConOutput::Line(unsigned long i)
{
    if (m_wrap == 0)
        return i < m_lines.size() ? m_lines[i].c_str() : nullptr;
    if (i >= m_height)
        return nullptr;
    unsigned long before = 0;  // rows of the lines before the current one
    for (const std::string& line : m_lines) {
        unsigned long rows = LenToWrapLineCount(line.size());
        if (i < before + rows) {
            unsigned long start = (i - before) * m_wrap;
            m_row.assign(line, start, m_wrap);
            return m_row.c_str();
        }
        before += rows;
    }
    return nullptr;
}

void ConOutput::UpdateWidth()
{
    m_longest = 0;
    for (const std::string& line : m_lines)
        if (line.size() > m_longest)
            m_longest = line.size();
}

void ConOutput::UpdateHeight()
{
    m_height = 0;
    for (const std::string& line : m_lines)
        m_height += LenToWrapLineCount(line.size());
}
