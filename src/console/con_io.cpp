#include "console/con_io.h"

void ConIO::SetWrap(unsigned long w)
{
    m_wrap = w;
    if (w != 0)
        UpdateHeight();
}

unsigned long ConIO::LenToWrapLineCount(unsigned long n) const
{
    if (n == 0)
        return 1;
    return (n + m_wrap - 1) / m_wrap;
}
