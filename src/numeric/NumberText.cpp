#include "numeric/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "numeric/Fault.h"

namespace coilsmith {

namespace {

// A double holds about 15 significant decimal digits reliably; texts never show more.
constexpr int kSignificant = 15;

// A positive finite magnitude as decimal digits d1 d2 ... dn (no trailing zeros, d1 != 0)
// meaning 0.d1d2...dn times 10^pointPos.
struct Decimal {
    std::string digits;
    int pointPos = 0;
};

Decimal decimalOf(double magnitude, bool shortest) {
    std::array<char, 64> buf{};
    const auto result = shortest ? std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                                 std::chars_format::scientific)
                                 : std::to_chars(buf.data(), buf.data() + buf.size(), magnitude,
                                                 std::chars_format::scientific, kSignificant - 1);
    const std::string_view text(buf.data(), static_cast<std::size_t>(result.ptr - buf.data()));
    const auto e = text.find('e');
    Decimal d;
    for (char c : text.substr(0, e)) {
        if (c != '.')
            d.digits.push_back(c);
    }
    int exponent = 0;
    const auto expText = text.substr(e + 1);
    const char* first = expText.data() + (expText.front() == '+' ? 1 : 0);
    std::from_chars(first, expText.data() + expText.size(), exponent);
    d.pointPos = exponent + 1;
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

// The value rounded to at most 15 significant digits, or its shortest exact form when
// that is shorter.
Decimal readableDecimal(double magnitude) {
    Decimal d = decimalOf(magnitude, true);
    if (d.digits.size() > static_cast<std::size_t>(kSignificant))
        d = decimalOf(magnitude, false);
    return d;
}

void requireFinite(double value) {
    if (!std::isfinite(value))
        throw Fault(FaultKind::Overflow);
}

// Adds one unit in the last place of a digit string; returns false when it carries out.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return true;
        }
        *it = '0';
    }
    return false;
}

std::string exponentForm(const Decimal& d, bool negative, const NumberLocale& locale) {
    std::string out = negative ? "-" : "";
    out += d.digits.front();
    if (d.digits.size() > 1)
        out += locale.decimalPoint + d.digits.substr(1);
    const int exponent = d.pointPos - 1;
    out += exponent < 0 ? "E-" : "E+";
    const std::string expDigits = std::to_string(std::abs(exponent));
    if (expDigits.size() < 2)
        out += '0';
    return out + expDigits;
}

std::string plainForm(const Decimal& d, bool negative, const NumberLocale& locale) {
    std::string out = negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.pointPos <= 0) {
        return out + "0" + locale.decimalPoint + std::string(-d.pointPos, '0') + d.digits;
    }
    if (d.pointPos >= n)
        return out + d.digits + std::string(d.pointPos - n, '0');
    return out + d.digits.substr(0, d.pointPos) + locale.decimalPoint + d.digits.substr(d.pointPos);
}

}  // namespace

std::string formatFixed(double value, int decimals, const NumberLocale& locale) {
    requireFinite(value);
    decimals = std::clamp(decimals, 0, 20);
    std::string intPart = "0";
    std::string fraction(static_cast<std::size_t>(decimals), '0');
    bool nonZero = false;
    if (value != 0.0) {
        // Round the decimal text the user would read, not the binary value: 2.3625 is
        // stored a hair below 2.3625 but must still show as 2.363.
        const Decimal d = readableDecimal(std::fabs(value));
        std::string all = d.digits;
        int intCount = d.pointPos;
        if (intCount < 0) {
            all.insert(0, static_cast<std::size_t>(-intCount), '0');
            intCount = 0;
        }
        const std::size_t keep = static_cast<std::size_t>(intCount + decimals);
        if (all.size() <= keep)
            all.append(keep + 1 - all.size(), '0');
        std::string kept = all.substr(0, keep);
        if (all[keep] >= '5' && !incrementDigits(kept)) {
            kept.insert(0, 1, '1');
            ++intCount;
        }
        nonZero = kept.find_first_not_of('0') != std::string::npos;
        if (intCount > 0)
            intPart = kept.substr(0, static_cast<std::size_t>(intCount));
        fraction = kept.substr(static_cast<std::size_t>(intCount));
    }
    std::string out = (nonZero && value < 0) ? "-" : "";
    out += intPart;
    if (decimals > 0)
        out += locale.decimalPoint + fraction;
    return out;
}

std::string formatNumber(double value, const NumberLocale& locale) {
    requireFinite(value);
    if (value == 0.0)
        return "0";
    const Decimal d = readableDecimal(std::fabs(value));
    // Fixed notation from 1E-05 up to 15 integer digits, as catalogue values are read.
    const bool fixed = d.pointPos >= -4 && d.pointPos <= kSignificant;
    return fixed ? plainForm(d, value < 0, locale) : exponentForm(d, value < 0, locale);
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads typed text into plain ASCII "[-]digits[.digits][e[-]digits]" for from_chars.
class NumberScanner {
  public:
    NumberScanner(std::string_view text, const NumberLocale& locale)
        : text_(text), locale_(locale) {}

    std::optional<std::string> scan() {
        skipBlanks();
        std::string out;
        if (at("-")) {
            out += '-';
            pos_ += 1;
        } else if (at("+")) {
            pos_ += 1;
        }
        const std::size_t intDigits = scanIntegerPart(out);
        if (intDigits == kInvalid)
            return std::nullopt;
        std::size_t fracDigits = 0;
        if (!locale_.decimalPoint.empty() && at(locale_.decimalPoint)) {
            pos_ += locale_.decimalPoint.size();
            out += '.';
            fracDigits = takeDigits(out);
        }
        if (intDigits + fracDigits == 0)
            return std::nullopt;
        if (at("e") || at("E")) {
            ++pos_;
            out += 'e';
            if (at("-") || at("+"))
                out += text_[pos_++];
            if (takeDigits(out) == 0)
                return std::nullopt;
        }
        skipBlanks();
        if (pos_ != text_.size())
            return std::nullopt;
        return out;
    }

  private:
    static constexpr std::size_t kInvalid = static_cast<std::size_t>(-1);

    bool at(std::string_view s) const { return text_.substr(pos_).starts_with(s); }
    void skipBlanks() {
        while (pos_ < text_.size() && isBlank(text_[pos_]))
            ++pos_;
    }
    std::size_t takeDigits(std::string& out) {
        std::size_t n = 0;
        for (; pos_ < text_.size() && isDigit(text_[pos_]); ++pos_, ++n)
            out += text_[pos_];
        return n;
    }

    // Digits with grouping separators; a separator must stand between a group of one to
    // three digits and every following group of exactly three, so "1.234,5" reads in a
    // German locale while a mistyped "1234.5" there is rejected rather than read as 12345.
    std::size_t scanIntegerPart(std::string& out) {
        std::size_t group = takeDigits(out);
        std::size_t total = group;
        const std::string& sep = locale_.groupSeparator;
        bool grouped = false;
        while (!sep.empty() && sep != locale_.decimalPoint && group > 0 && at(sep)) {
            if (!grouped && group > 3)
                return kInvalid;
            grouped = true;
            pos_ += sep.size();
            group = takeDigits(out);
            if (group != 3)
                return kInvalid;
            total += group;
        }
        return total;
    }

    std::string_view text_;
    const NumberLocale& locale_;
    std::size_t pos_ = 0;
};

// Power of ten of the leading significant digit of a scanned text, to tell a result out
// of range because it is tiny (read as zero) from one that is huge.
bool isUnderflow(const std::string& ascii) {
    const auto e = ascii.find('e');
    const std::string_view mantissa = std::string_view(ascii).substr(0, e);
    long long exponent = 0;
    if (e != std::string::npos) {
        const char* first = ascii.data() + e + 1;
        if (*first == '+')
            ++first;
        const auto r = std::from_chars(first, ascii.data() + ascii.size(), exponent);
        if (r.ec != std::errc())
            return first[0] == '-';
    }
    const auto point = mantissa.find('.');
    const auto firstNonZero = mantissa.find_first_of("123456789");
    if (firstNonZero == std::string_view::npos)
        return true;
    const auto intEnd = point == std::string_view::npos ? mantissa.size() : point;
    const long long lead = firstNonZero < intEnd ? static_cast<long long>(intEnd - firstNonZero) - 1
                                                 : -static_cast<long long>(firstNonZero - intEnd);
    return lead + exponent < 0;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text, const NumberLocale& locale) {
    const auto ascii = NumberScanner(text, locale).scan();
    if (!ascii)
        return std::nullopt;
    double value = 0;
    const char* first = ascii->data();
    const char* last = first + ascii->size();
    const auto result = std::from_chars(first, last, value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!isUnderflow(*ascii))
            return std::nullopt;
        return 0.0;
    }
    if (result.ec != std::errc() || result.ptr != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace coilsmith
