#include "run/stop.hpp"

#include <cfenv>
#include <cstdio>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#endif

namespace molframe {

namespace {

/// The denormal-operand flag: the DE bit of MXCSR on x86-64, absent elsewhere.
bool denormalRaised() {
#if defined(__x86_64__) || defined(__i386__)
    return (_mm_getcsr() & 0x0002u) != 0;
#else
    return false;
#endif
}

}  // namespace

std::string floatingPointNote() {
    struct Flag {
        bool raised;
        const char* name;
    };
    const Flag flags[] = {
        {std::fetestexcept(FE_INVALID) != 0, "IEEE_INVALID_FLAG"},
        {std::fetestexcept(FE_DIVBYZERO) != 0, "IEEE_DIVIDE_BY_ZERO"},
        {std::fetestexcept(FE_OVERFLOW) != 0, "IEEE_OVERFLOW_FLAG"},
        {std::fetestexcept(FE_UNDERFLOW) != 0, "IEEE_UNDERFLOW_FLAG"},
        {denormalRaised(), "IEEE_DENORMAL"},
    };
    std::string names;
    for (const Flag& flag : flags) {
        if (!flag.raised) continue;
        names += ' ';
        names += flag.name;
    }
    if (names.empty()) return "";
    return "Note: The following floating-point exceptions are signalling:" + names;
}

int stopRun() {
    const std::string note = floatingPointNote();
    if (!note.empty()) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", note.c_str());
    }
    return 0;
}

}  // namespace molframe
