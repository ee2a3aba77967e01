#include "run/fields.hpp"

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace molframe {

namespace {

std::string rightAligned(std::string text, int32_t w) {
    if (static_cast<int32_t>(text.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    return std::string(static_cast<std::size_t>(w) - text.size(), ' ') + text;
}

std::string formatNonFinite(float value, int32_t w) {
    if (std::isnan(value)) return rightAligned("NaN", w);
    const bool negative = std::signbit(value);
    const std::string longForm = negative ? "-Infinity" : "Infinity";
    if (static_cast<int32_t>(longForm.size()) <= w) return rightAligned(longForm, w);
    return rightAligned(negative ? "-Inf" : "Inf", w);
}

/// Keeps the caller's floating-point flags: formatting and parsing are bookkeeping,
/// not the run's arithmetic.
class FlagGuard {
  public:
    FlagGuard() { std::fegetenv(&saved_); }
    ~FlagGuard() { std::fesetenv(&saved_); }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

  private:
    std::fenv_t saved_;
};

}  // namespace

std::string formatFixed(float value, int32_t w, int32_t d) {
    if (!std::isfinite(value)) return formatNonFinite(value, w);
    FlagGuard guard;
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(d), static_cast<double>(value));
    std::string text = buffer;
    if (d == 0) text += '.';
    if (static_cast<int32_t>(text.size()) > w) {
        // Drop the zero in front of the point when that makes it fit.
        if (text.rfind("0.", 0) == 0) {
            text.erase(0, 1);
        } else if (text.rfind("-0.", 0) == 0) {
            text.erase(1, 1);
        }
    }
    return rightAligned(text, w);
}

std::string formatInteger(int32_t value, int32_t w) {
    return rightAligned(std::to_string(value), w);
}

std::optional<int32_t> parseInteger(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    if (pos == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

bool readReal(std::string_view text, int32_t w, int32_t d, float& target) {
    (void)d;  // a mantissa without a point is read as written: no implied decimals
    // The field: the first w characters, blanks ignored wherever they stand.
    std::string field;
    for (int32_t i = 0; i < w; ++i) {
        const char c =
            i < static_cast<int32_t>(text.size()) ? text[static_cast<std::size_t>(i)] : ' ';
        if (c != ' ') field += c;
    }
    std::size_t pos = 0;
    const auto digitAt = [&](std::size_t p) {
        return p < field.size() && field[p] >= '0' && field[p] <= '9';
    };

    std::string number;  // sign, mantissa and exponent as strtof takes them
    if (pos < field.size() && (field[pos] == '+' || field[pos] == '-')) number += field[pos++];
    bool digits = false;
    bool point = false;
    for (; pos < field.size(); ++pos) {
        const char c = field[pos];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        number += c;
    }
    if (!digits) {
        // Nothing but blanks, a sign and/or a point reads 0; "-." reads -0.
        if (pos != field.size()) return false;
        target = (point && !number.empty() && number[0] == '-') ? -0.0f : 0.0f;
        return true;
    }
    if (pos < field.size()) {
        // Exponent: E or D (either case) with an optionally signed digit string, or a sign
        // directly followed by digits.
        const char c = field[pos];
        if (c == 'E' || c == 'e' || c == 'D' || c == 'd') ++pos;
        std::string exponent = "e";
        if (pos < field.size() && (field[pos] == '+' || field[pos] == '-'))
            exponent += field[pos++];
        else if (c != 'E' && c != 'e' && c != 'D' && c != 'd')
            return false;
        if (!digitAt(pos)) return false;
        while (digitAt(pos)) exponent += field[pos++];
        if (pos != field.size()) return false;
        number += exponent;
    }
    FlagGuard guard;
    errno = 0;
    char* end = nullptr;
    const float value = std::strtof(number.c_str(), &end);
    if (end != number.c_str() + number.size() || std::isinf(value)) return false;
    target = value;
    return true;
}

}  // namespace molframe
