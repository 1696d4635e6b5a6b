// The console's output store: the last 500 lines, wrapped into rows.
#pragma once
#include <string>
#include <vector>

#include "console/con_io.h"

class ConOutput : public ConIO {
public:
    // Adds one line (the newest), dropping the oldest beyond the maximum.
    void Append(const char* text);
    // Row i of the wrapped text (line i while unwrapped), null past the end.
    // The pointer stays valid until the next Line call.
    const char* Line(unsigned long i);

    unsigned long LineCount() const override { return m_lines.size(); }
    void UpdateWidth() override;
    void UpdateHeight() override;

    unsigned long MaxLines() const { return m_maxLines; }

private:
    std::vector<std::string> m_lines;  // oldest first
    unsigned long m_maxLines = 500;
};
