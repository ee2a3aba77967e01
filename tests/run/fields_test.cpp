// Fw.d and Iw as written, and the internal read of one real.
#include "run/fields.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "run/records.hpp"

namespace molframe {
namespace {

struct FixedRow {
    float value;
    int32_t w;
    int32_t d;
    const char* text;
};

TEST(FormatFixed, WritesTheFieldAsTheRecordsHaveIt) {
    const float inf = std::numeric_limits<float>::infinity();
    const FixedRow rows[] = {
        {0.015625f, 10, 5, "   0.01562"},  // ties to even on the exact binary value
        {0.046875f, 10, 5, "   0.04688"},
        {0.001f, 7, 4, " 0.0010"},  // zero before the point where there is room
        {0.001f, 6, 4, "0.0010"},
        {-0.001f, 6, 4, "-.0010"},  // ... and dropped where there is none
        {0.5f, 4, 3, ".500"},
        {123.4567f, 7, 4, "*******"},  // does not fit
        {10000.0f, 10, 5, "**********"},
        {9999.0f, 10, 5, "9999.00000"},
        {99.99996f, 7, 4, "*******"},       // rounds to 100.0000
        {-0.000004f, 10, 5, "  -0.00000"},  // a negative value that rounds to zero keeps its minus
        {-0.0f, 10, 5, "  -0.00000"},
        {0.0f, 10, 5, "   0.00000"},
        {104.523f, 8, 4, "104.5230"},
        {-2.43107f, 10, 5, "  -2.43107"},
        {inf, 10, 5, "  Infinity"},
        {inf, 8, 4, "Infinity"},
        {inf, 7, 4, "    Inf"},
        {-inf, 9, 4, "-Infinity"},
        {-inf, 8, 4, "    -Inf"},
        {-inf, 3, 1, "***"},
        {inf, 2, 1, "**"},
        {std::numeric_limits<float>::quiet_NaN(), 10, 5, "       NaN"},
        {-std::numeric_limits<float>::quiet_NaN(), 10, 5, "       NaN"},
        {std::numeric_limits<float>::quiet_NaN(), 2, 1, "**"},
    };
    for (const FixedRow& row : rows) {
        EXPECT_EQ(formatFixed(row.value, row.w, row.d), row.text)
            << "F" << row.w << "." << row.d << " of " << row.value;
    }
}

TEST(FormatInteger, RightAlignedOrAsterisks) {
    EXPECT_EQ(formatInteger(7, 5), "    7");
    EXPECT_EQ(formatInteger(-9999, 5), "-9999");
    EXPECT_EQ(formatInteger(-10000, 5), "*****");
    EXPECT_EQ(formatInteger(12345, 4), "****");
    EXPECT_EQ(formatInteger(0, 1), "0");
}

TEST(ParseInteger, SignedDigitStringsOnly) {
    EXPECT_EQ(parseInteger("42"), 42);
    EXPECT_EQ(parseInteger("+7"), 7);
    EXPECT_EQ(parseInteger("-0012"), -12);
    EXPECT_EQ(parseInteger("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "-", "+", "1.", "1e3", "a", "12a", "2147483648", "99999999999"}) {
        EXPECT_FALSE(parseInteger(bad).has_value()) << bad;
    }
}

struct RealRow {
    const char* text;
    int32_t w;
    bool ok;
    float value;
};

TEST(ReadReal, FieldRules) {
    const RealRow rows[] = {
        {"10.1234(5)      ", 7, true, 10.1234f},
        {"9.8765(3)       ", 7, false, 0.0f},  // the field reaches the parenthesis
        {"9.8765(3)       ", 6, true, 9.8765f},
        {"                ", 7, true, 0.0f},   // all blanks
        {"1 0.5           ", 7, true, 10.5f},  // blanks inside are ignored
        {"90              ", 7, true, 90.0f},  // no point: read as written
        {"120             ", 7, true, 120.0f},
        {"1E3             ", 7, true, 1000.0f},
        {"2.5-1           ", 7, true, 0.25f},  // a sign directly starts the exponent
        {"2.5d+1          ", 7, true, 25.0f},
        {"-.5e1           ", 7, true, -5.0f},
        {"+               ", 7, true, 0.0f},
        {".               ", 7, true, 0.0f},
        {"?               ", 7, false, 0.0f},
        {"1.2.3           ", 7, false, 0.0f},
        {"1,5             ", 7, false, 0.0f},
        {"1\t5             ", 7, false, 0.0f},
        {"1E              ", 7, false, 0.0f},
        {"1E+             ", 7, false, 0.0f},
        {"Inf             ", 7, false, 0.0f},
        {"NaN             ", 7, false, 0.0f},
        {"9E99999         ", 7, false, 0.0f},  // beyond single precision
        {"0.1             ", 7, true, 0.1f},   // correctly rounded
    };
    for (const RealRow& row : rows) {
        float target = 7.0f;
        EXPECT_EQ(readReal(row.text, row.w, 3, target), row.ok) << row.text;
        const float expected = row.ok ? row.value : 7.0f;  // untouched on a bad field
        EXPECT_EQ(std::bit_cast<uint32_t>(target), std::bit_cast<uint32_t>(expected)) << row.text;
    }
}

TEST(ReadReal, SignAndPointAloneReadZeroWithTheirSign) {
    float target = 1.0f;
    ASSERT_TRUE(readReal("-.", 7, 3, target));
    EXPECT_EQ(std::bit_cast<uint32_t>(target), std::bit_cast<uint32_t>(-0.0f));
    ASSERT_TRUE(readReal("-", 7, 3, target));
    EXPECT_EQ(std::bit_cast<uint32_t>(target), std::bit_cast<uint32_t>(0.0f));
}

}  // namespace
}  // namespace molframe
