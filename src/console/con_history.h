// The console's recall list: the last 200 lines typed, oldest first.
#pragma once
#include <string>
#include <vector>

class ConHistory {
public:
    // Adds the line as the newest entry (repeats included); the cursor goes
    // past the newest entry.
    void Append(const char* line);
    // The entry before the cursor, null at the oldest.
    const char* Backward();
    // The entry after the cursor, null once past the newest.
    const char* Forward();

    unsigned long Count() const { return m_entries.size(); }
    const char* Entry(unsigned long i) const { return m_entries[i].c_str(); }
    unsigned long Cursor() const { return m_cursor; }
    unsigned long MaxEntries() const { return m_maxEntries; }

private:
    std::vector<std::string> m_entries;
    unsigned long m_maxEntries = 200;
    unsigned long m_cursor = 0;  // 0 to Count()
};
