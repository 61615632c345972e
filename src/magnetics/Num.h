#pragma once

#include <optional>

namespace coilsmith {

// A double that may be null (an empty catalogue field) and whose arithmetic is checked:
// every operation that would produce an infinity or a NaN throws a Fault instead, so a
// fault is raised where it happens even inside a longer expression whose final value
// would look finite. Null propagates through arithmetic and faults (FaultKind::NullValue)
// only when the value is used as a number. A default-constructed Num is 0, like a field
// that was never written.
class Num {
public:
    constexpr Num() = default;
    constexpr Num(double v) : value_(v) {}  // NOLINT(google-explicit-constructor)
    static constexpr Num null() { return Num(std::nullopt); }

    constexpr bool isNull() const noexcept { return !value_.has_value(); }
    double value() const;  // throws Fault(NullValue) when null

    friend Num operator+(Num a, Num b);
    friend Num operator-(Num a, Num b);
    friend Num operator*(Num a, Num b);
    friend Num operator/(Num a, Num b);  // throws DivisionByZero for a zero divisor
    friend Num operator-(Num a);
    friend bool operator==(const Num&, const Num&) = default;

private:
    constexpr explicit Num(std::nullopt_t) : value_(std::nullopt) {}
    std::optional<double> value_ = 0.0;
};

// Checked functions on plain and nullable numbers.
double checkedSqrt(double x);           // NegativeSqrt for x < 0
double checkedLn(double x);             // NonPositiveLog for x <= 0
double checkedPow(double base, double exponent);  // DivisionByZero for 0^negative, Overflow
double checkedFinite(double x);         // Overflow unless finite
float toSingle(double x);               // Overflow when out of float range; rounds to nearest
float toSingle(Num x);                  // NullValue when null

Num sqrt(Num x);
Num pow(Num base, double exponent);

}  // namespace coilsmith
