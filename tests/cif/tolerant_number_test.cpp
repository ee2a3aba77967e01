// Tolerant numbers: every cascade on the value texts of the structure file, bit for bit.
#include "cif/tolerant_number.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

namespace molframe {
namespace {

/// What the target holds before the read: a value no row expects, so "unchanged" shows.
constexpr float untouched = -7.75f;

struct TolerantCase {
    std::string_view text;
    std::string_view cascadeName;
    std::optional<float> value;  ///< nothing: no format reads the text
};

void PrintTo(const TolerantCase& row, std::ostream* out) {
    *out << '"' << row.text << "\" with the " << row.cascadeName << " cascade";
}

Cascade cascadeNamed(std::string_view name) {
    if (name == "length") return lengthCascade;
    if (name == "angle") return angleCascade;
    return coordinateCascade;
}

// Each expected value is the single-precision value of the decimal written here.
constexpr TolerantCase tolerantCases[] = {
    {"10.1234(5)", "length", 10.1234f},
    {"9.8765(3)", "length", 9.8765f},
    {"10.123(2)", "length", 10.123f},
    {"5.432(1)", "length", 5.432f},
    {"5.43(1)", "length", 5.43f},
    {"10.12345(6)", "length", 10.1234f},
    {"123.4567(8)", "length", 123.456f},
    {"10", "length", 10.0f},
    {"104.5(2)", "angle", 104.5f},
    {"104.523(3)", "angle", 104.523f},
    {"90.000(5)", "angle", 90.0f},
    {"90", "angle", 90.0f},
    {"120", "angle", 120.0f},
    {"90(1)", "angle", 90.0f},
    {"0.12345(6)", "coordinate", 0.12345f},
    {"-0.0123(4)", "coordinate", -0.0123f},
    {"0.5", "coordinate", 0.5f},
    {"0.1234(5)", "coordinate", 0.1234f},
    {"0.123(4)", "coordinate", 0.123f},
    {"-0.12(3)", "coordinate", -0.12f},
    {"0.12(3)", "coordinate", 0.12f},
    {"-0.12345(6)", "coordinate", -0.1234f},
    {"0", "coordinate", 0.0f},
    {"1", "coordinate", 1.0f},
    {"?", "length", std::nullopt},
    {"?", "angle", std::nullopt},
    {"?", "coordinate", std::nullopt},
    {"                ", "length", 0.0f},
    {"                ", "angle", 0.0f},
    {"                ", "coordinate", 0.0f},
    // Short number parts with an uncertainty, integers and exponents.
    {"-0.1(2)", "coordinate", -0.1f},
    {"1(2)", "coordinate", 1.0f},
    {"1E3", "length", 1000.0f},
    {"1.2345678901", "length", 1.23456f},
    {"2.5-1", "coordinate", 0.25f},
    {"1.5E-3(2)", "coordinate", 0.0015f},
    // Infinity and not-a-number are unreadable like any other word.
    {"Inf", "length", std::nullopt},
    {"NaN", "angle", std::nullopt},
    {"Infinity", "coordinate", std::nullopt},
    // A field of only a sign or a point reads 0, so "-Inf" gives its first character's 0.
    {"-Inf", "coordinate", 0.0f},
    {".", "coordinate", 0.0f},
    {"-.", "coordinate", -0.0f},
};

class TolerantNumberTest : public ::testing::TestWithParam<TolerantCase> {};

TEST_P(TolerantNumberTest, ReadsTheValueOrLeavesTheTarget) {
    const TolerantCase& row = GetParam();
    float target = untouched;
    const bool read =
        readTolerantNumber(toFixedText<16>(row.text), cascadeNamed(row.cascadeName), target);

    EXPECT_EQ(read, row.value.has_value());
    const float expected = row.value.value_or(untouched);
    EXPECT_EQ(std::bit_cast<uint32_t>(target), std::bit_cast<uint32_t>(expected))
        << "read " << target << ", expected " << expected;
}

INSTANTIATE_TEST_SUITE_P(ValueTexts, TolerantNumberTest, ::testing::ValuesIn(tolerantCases));

}  // namespace
}  // namespace molframe
