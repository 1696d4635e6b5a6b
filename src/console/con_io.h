// Base of the console's two text areas: wrapping of lines into rows.
#pragma once
#include <string>

class ConIO {
public:
    virtual ~ConIO() = default;
    // Number of logical lines held.
    virtual unsigned long LineCount() const { return 0; }
    virtual void UpdateWidth() {}
    virtual void UpdateHeight() {}

    // Rows the text occupies: the line count while unwrapped.
    unsigned long Height() const { return m_wrap == 0 ? LineCount() : m_height; }
    // Sets the wrap width in columns (0: unwrapped) and recounts the rows.
    void SetWrap(unsigned long w);
    unsigned long Wrap() const { return m_wrap; }
    unsigned long Longest() const { return m_longest; }
    // Rows a line of n characters needs; an empty line takes one row.
    unsigned long LenToWrapLineCount(unsigned long n) const;

protected:
    unsigned long m_wrap = 0;
    unsigned long m_longest = 0;
    unsigned long m_height = 0;
    std::string m_row;  // the last row handed out by Line
};
