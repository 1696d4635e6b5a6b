// The floating-point remainder x - trunc(x / y) * y. Like every remainder it
// is exact, so any correct method gives the bits std::fmod gives; on x86 the
// FPU's partial remainder takes a fraction of the library routine's time.
#pragma once
#include <cmath>

namespace libsgp4 {

inline double ExactFmod(double x, double y)
{
#if defined(__x86_64__) || defined(__i386__)
    // fprem reduces the exponent difference by up to 63 per pass and flags
    // an unfinished reduction in C2 (bit 2 of the status word's high byte).
    long double r = x;
    asm("1: fprem\n\t"
        "fnstsw %%ax\n\t"
        "testb $4, %%ah\n\t"
        "jnz 1b"
        : "+t"(r)
        : "u"(static_cast<long double>(y))
        : "ax", "cc");
    return static_cast<double>(r);
#else
    return std::fmod(x, y);
#endif
}

}  // namespace libsgp4
