#include "console/con_history.h"

void ConHistory::Append(const char* line)
{
    if (m_entries.size() >= m_maxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.emplace_back(line);
    m_cursor = m_entries.size();
}

const char* ConHistory::Backward()
{
    if (m_cursor == 0)
        return nullptr;
    --m_cursor;
    return m_entries[m_cursor].c_str();
}

const char* ConHistory::Forward()
{
    if (m_cursor >= m_entries.size())
        return nullptr;
    ++m_cursor;
    if (m_cursor == m_entries.size())
        return nullptr;
    return m_entries[m_cursor].c_str();
}
