#include "physics/FixedText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>

namespace coilsmith::physics {

namespace {

// A double holds about 15 significant decimal digits reliably.
constexpr int kSignificantDigits = 15;
constexpr int kMaxDecimals = 20;
// Room for any double in scientific form.
constexpr std::size_t kNumberTextSize = 64;

// |value| as its digits d1 d2 … and the position of the decimal point after d1 … dk.
struct Digits {
    std::string digits;
    int pointPosition = 0;
};

Digits readableDigits(double magnitude) {
    std::array<char, kNumberTextSize> buffer{};
    char* const first = buffer.data();
    char* const last = first + buffer.size();
    auto written = std::to_chars(first, last, magnitude, std::chars_format::scientific);
    char* e = std::find(first, written.ptr, 'e');
    if (e - first > kSignificantDigits + 1) {
        written = std::to_chars(first, last, magnitude, std::chars_format::scientific,
                                kSignificantDigits - 1);
        e = std::find(first, written.ptr, 'e');
    }
    Digits d;
    d.digits.reserve(static_cast<std::size_t>(e - first));
    std::copy_if(first, e, std::back_inserter(d.digits), [](char c) { return c != '.'; });
    const char* exponent = e + 1;
    if (*exponent == '+')
        ++exponent;
    int power = 0;
    std::from_chars(exponent, written.ptr, power);
    d.pointPosition = power + 1;
    return d;
}

// Adds one in the last place; false when it carries out of the first digit.
bool increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

}  // namespace

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value))
        return "not a number";
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    std::string whole = "0";
    std::string fraction(static_cast<std::size_t>(decimals), '0');
    bool nonZero = false;
    if (value != 0) {
        Digits d = readableDigits(std::fabs(value));
        if (d.pointPosition < 0) {
            d.digits.insert(0, static_cast<std::size_t>(-d.pointPosition), '0');
            d.pointPosition = 0;
        }
        const std::size_t keep =
            static_cast<std::size_t>(d.pointPosition) + static_cast<std::size_t>(decimals);
        if (d.digits.size() <= keep)
            d.digits.append(keep + 1 - d.digits.size(), '0');
        std::string kept = d.digits.substr(0, keep);
        if (d.digits[keep] >= '5' && !increment(kept)) {
            kept.insert(0, 1, '1');
            ++d.pointPosition;
        }
        nonZero = kept.find_first_not_of('0') != std::string::npos;
        const auto wholeDigits = static_cast<std::size_t>(d.pointPosition);
        if (wholeDigits > 0)
            whole = kept.substr(0, wholeDigits);
        fraction = kept.substr(wholeDigits);
    }
    std::string out = (nonZero && value < 0) ? "-" : "";
    out += whole;
    if (decimals > 0)
        out += "." + fraction;
    return out;
}

}  // namespace coilsmith::physics
