#pragma once

#include <cmath>
#include <limits>
#include <optional>

namespace coilsmith {

// A double that may be null (an empty catalogue field) and whose arithmetic is checked:
// every operation that would produce an infinity or a NaN throws a Fault instead, so a
// fault is raised where it happens even inside a longer expression whose final value
// would look finite. Null propagates through arithmetic and faults (FaultKind::NullValue)
// only when the value is used as a number. A default-constructed Num is 0, like a field
// that was never written.
//
// Because checked arithmetic never yields a NaN, a NaN is free to mark null; that keeps
// a Num the size of a double and lets the fast path of every operation stay inline (the
// design search runs thousands of them). A NaN handed to the constructor reads as null.
class Num {
  public:
    constexpr Num() = default;
    constexpr Num(double v) : value_(v) {}  // NOLINT(google-explicit-constructor)
    static constexpr Num null() { return Num(std::numeric_limits<double>::quiet_NaN()); }

    bool isNull() const noexcept { return std::isnan(value_); }
    double value() const {
        if (isNull()) [[unlikely]]
            nullUsed();
        return value_;
    }

    friend Num operator+(Num a, Num b) { return checked(a.value_ + b.value_, a, b); }
    friend Num operator-(Num a, Num b) { return checked(a.value_ - b.value_, a, b); }
    friend Num operator*(Num a, Num b) { return checked(a.value_ * b.value_, a, b); }
    friend Num operator/(Num a, Num b) {  // throws DivisionByZero for a zero divisor
        if (b.value_ == 0.0 && !a.isNull()) [[unlikely]]
            divisionByZero();
        return checked(a.value_ / b.value_, a, b);
    }
    friend Num operator-(Num a) { return Num(-a.value_); }
    friend bool operator==(const Num& a, const Num& b) {
        return a.value_ == b.value_ || (a.isNull() && b.isNull());
    }

  private:
    static Num checked(double result, Num a, Num b) {
        if (!(std::fabs(result) <= std::numeric_limits<double>::max())) [[unlikely]]
            return outOfRange(a, b);
        return result;
    }
    // Null when an operand is null, otherwise Fault(Overflow).
    static Num outOfRange(Num a, Num b);
    [[noreturn]] static void nullUsed();
    [[noreturn]] static void divisionByZero();

    double value_ = 0.0;
};

// Checked functions on plain and nullable numbers.
[[noreturn]] double sqrtOutOfDomain(double x);    // the fault checkedSqrt raises for x
double checkedLn(double x);                       // NonPositiveLog for x <= 0
double checkedPow(double base, double exponent);  // DivisionByZero for 0^negative, Overflow
double checkedFinite(double x);                   // Overflow unless finite
float toSingle(double x);  // Overflow when out of float range; rounds to nearest
float toSingle(Num x);     // NullValue when null

// A count (turns, a gauge, layers) from a double, rounded to the nearest whole number; nothing
// when the value is not finite or its rounded value lies outside [lowest, highest]. The one
// way a double becomes an integer count: a cast of an out-of-range double is undefined.
std::optional<long> roundedCount(double value, long lowest, long highest) noexcept;

// NegativeSqrt for x < 0. Inline: the permeability fits take two roots per turn tried.
inline double checkedSqrt(double x) {
    if (!(x >= 0 && x <= std::numeric_limits<double>::max())) [[unlikely]]
        return sqrtOutOfDomain(x);
    return std::sqrt(x);
}

inline Num sqrt(Num x) {
    return x.isNull() ? x : Num(checkedSqrt(x.value()));
}
Num pow(Num base, double exponent);

}  // namespace coilsmith
