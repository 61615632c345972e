#include "converter/SiNumber.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

namespace coilsmith::converter {

namespace {

struct Prefix {
    std::string_view text;
    int exponent;
};

// What the command line reads. The micro sign comes as µ (U+00B5) or as the Greek μ
// (U+03BC), whichever the keyboard gives.
constexpr std::array kReadPrefixes{Prefix{"n", -9},      Prefix{"u", -6}, Prefix{"\u00b5", -6},
                                   Prefix{"\u03bc", -6}, Prefix{"m", -3}, Prefix{"k", 3},
                                   Prefix{"M", 6}};

// What the formatter writes, one per power of 1000.
constexpr std::array kWritePrefixes{Prefix{"p", -12}, Prefix{"n", -9}, Prefix{"\u00b5", -6},
                                    Prefix{"m", -3},  Prefix{"", 0},   Prefix{"k", 3},
                                    Prefix{"M", 6},   Prefix{"G", 9}};

constexpr std::string_view kOutOfRange = "out of range";

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

SiTextError notANumber(std::string_view text) {
    return SiTextError(quoted(text) + " is not a number");
}

SiTextError outOfRange(std::string_view text) {
    return SiTextError(quoted(text) + " is out of range");
}

// Reads a signed decimal text (no blanks, no prefix) exactly as std::from_chars does.
double readDecimal(std::string_view decimal, std::string_view original) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
    if (error == std::errc::result_out_of_range || (error == std::errc{} && !std::isfinite(value)))
        throw outOfRange(original);
    if (error != std::errc{} || end != decimal.data() + decimal.size())
        throw notANumber(original);
    return value;
}

// The number text with the prefix's power of ten folded into its exponent, so that "4.7m"
// becomes "4.7e-3" and rounds once, as the plain text would.
std::string withExponent(std::string_view number, int prefixExponent, std::string_view original) {
    const auto e = number.find_first_of("eE");
    long exponent = prefixExponent;
    if (e != std::string_view::npos) {
        std::string_view written = number.substr(e + 1);
        if (!written.empty() && written.front() == '+')
            written.remove_prefix(1);
        long parsed = 0;
        const auto [end, error] =
            std::from_chars(written.data(), written.data() + written.size(), parsed);
        if (error != std::errc{} || end != written.data() + written.size())
            throw outOfRange(original);
        exponent += parsed;
    }
    return std::string(number.substr(0, e)) + "e" + std::to_string(exponent);
}

}  // namespace

double parseSiNumber(std::string_view text) {
    const std::string_view body = trimmed(text);
    if (body.empty())
        throw SiTextError(quoted(text) + " is not a number: the text is empty");
    // A sign, then a digit or a point: std::from_chars would also read "inf" and "nan".
    const std::size_t digitsStart = (body.front() == '+' || body.front() == '-') ? 1 : 0;
    if (digitsStart >= body.size() || !(isDigit(body[digitsStart]) || body[digitsStart] == '.'))
        throw notANumber(text);
    const std::string_view unsignedBody = body.substr(digitsStart);
    double magnitude = 0;
    const auto [numberEnd, error] =
        std::from_chars(unsignedBody.data(), unsignedBody.data() + unsignedBody.size(), magnitude);
    if (error == std::errc::result_out_of_range)
        throw outOfRange(text);
    if (error != std::errc{})
        throw notANumber(text);
    const auto numberLength = static_cast<std::size_t>(numberEnd - unsignedBody.data());
    const std::string_view number = unsignedBody.substr(0, numberLength);
    const std::string_view suffix = unsignedBody.substr(numberLength);
    const std::string sign = body.front() == '-' ? "-" : "";
    if (suffix.empty())
        return readDecimal(sign + std::string(number), text);
    const auto prefix = std::find_if(kReadPrefixes.begin(), kReadPrefixes.end(),
                                     [&](const Prefix& p) { return p.text == suffix; });
    if (prefix == kReadPrefixes.end())
        throw SiTextError(quoted(text) + " is not a number: " + quoted(suffix) +
                          " is not one of the prefixes n, u, \u00b5, m, k, M");
    return readDecimal(sign + withExponent(number, prefix->exponent, text), text);
}

SiRange parseSiRange(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        const double value = parseSiNumber(text);
        return {value, value};
    }
    const auto side = [&](std::string_view part, std::string_view where) {
        if (trimmed(part).empty())
            throw SiTextError(quoted(text) + " is not a range LOW:HIGH: the number " +
                              std::string(where) + " the colon is missing");
        try {
            return parseSiNumber(part);
        } catch (const SiTextError& e) {
            throw SiTextError(quoted(text) + " is not a range LOW:HIGH: " + e.what());
        }
    };
    const double low = side(text.substr(0, colon), "before");
    return {low, side(text.substr(colon + 1), "after")};
}

std::string formatSignificant(double value, int significantDigits) {
    if (!std::isfinite(value))
        return std::string(kOutOfRange);
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                      std::chars_format::general, std::clamp(significantDigits, 1, 17));
    return std::string(buffer.data(), result.ptr);
}

std::string formatSi(double value, std::string_view unit, int significantDigits) {
    if (!std::isfinite(value))
        return std::string(kOutOfRange);
    const auto withUnit = [&](std::string number, std::string_view prefix) {
        if (prefix.empty() && unit.empty())
            return number;
        return number + " " + std::string(prefix) + std::string(unit);
    };
    if (value == 0)
        return withUnit("0", "");
    // Rounded in decimal first, so that 999.96 shows as "1 k", not as "1000".
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                      std::chars_format::scientific, std::clamp(significantDigits, 1, 17) - 1);
    const std::string_view scientific(buffer.data(),
                                      static_cast<std::size_t>(result.ptr - buffer.data()));
    const auto e = scientific.find('e');
    int exponent = 0;
    std::string_view exponentText = scientific.substr(e + 1);
    if (exponentText.front() == '+')
        exponentText.remove_prefix(1);
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    const int group = (exponent >= 0 ? exponent : exponent - 2) / 3 * 3;
    const auto prefix = std::find_if(kWritePrefixes.begin(), kWritePrefixes.end(),
                                     [&](const Prefix& p) { return p.exponent == group; });
    if (prefix == kWritePrefixes.end())
        return withUnit(formatSignificant(value, significantDigits), "");

    // Digits d1 d2 … with the point after 1 + (exponent − group) of them.
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.')
            digits.push_back(c);
    }
    const auto pointAfter = static_cast<std::size_t>(1 + exponent - group);
    if (digits.size() < pointAfter)
        digits.append(pointAfter - digits.size(), '0');
    std::string fraction = digits.substr(pointAfter);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string number = (value < 0 ? "-" : "") + digits.substr(0, pointAfter);
    if (!fraction.empty())
        number += "." + fraction;
    return withUnit(number, prefix->text);
}

}  // namespace coilsmith::converter
