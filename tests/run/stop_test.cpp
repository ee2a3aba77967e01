// The stop note names the floating-point exceptions raised, in the fixed order.
#include "run/stop.hpp"

#include <gtest/gtest.h>

#include <xmmintrin.h>
#include <cfenv>
#include <string>

namespace molframe {
namespace {

void clearAllFlags() {
    std::feclearexcept(FE_ALL_EXCEPT);
    _mm_setcsr(_mm_getcsr() & ~0x003Fu);  // the SSE flags, denormal included
}

/// Raises the denormal-operand flag by arithmetic on a denormal.
void useDenormal() {
    volatile float tiny = 1.0e-40f;
    volatile float sum = tiny + 1.0f;
    (void)sum;
}

TEST(StopNote, NamesEachRaisedFlagInOrder) {
    const std::string head = "Note: The following floating-point exceptions are signalling:";
    struct Row {
        int flags;
        bool denormal;
        std::string names;
    };
    const Row rows[] = {
        {FE_INVALID, false, " IEEE_INVALID_FLAG"},
        {FE_DIVBYZERO, false, " IEEE_DIVIDE_BY_ZERO"},
        {FE_OVERFLOW, false, " IEEE_OVERFLOW_FLAG"},
        {FE_UNDERFLOW, false, " IEEE_UNDERFLOW_FLAG"},
        {0, true, " IEEE_DENORMAL"},
        {FE_UNDERFLOW | FE_INVALID | FE_OVERFLOW, true,
         " IEEE_INVALID_FLAG IEEE_OVERFLOW_FLAG IEEE_UNDERFLOW_FLAG IEEE_DENORMAL"},
        {FE_DIVBYZERO | FE_INVALID, false, " IEEE_INVALID_FLAG IEEE_DIVIDE_BY_ZERO"},
    };
    for (const Row& row : rows) {
        clearAllFlags();
        if (row.flags != 0) std::feraiseexcept(row.flags);
        if (row.denormal) useDenormal();
        EXPECT_EQ(floatingPointNote(), head + row.names);
    }
    clearAllFlags();
}

TEST(StopNote, InexactAloneOrNothingGivesNoNote) {
    clearAllFlags();
    EXPECT_EQ(floatingPointNote(), "");
    std::feraiseexcept(FE_INEXACT);
    EXPECT_EQ(floatingPointNote(), "");
    clearAllFlags();
}

}  // namespace
}  // namespace molframe
