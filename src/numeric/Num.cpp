#include "numeric/Num.h"

#include <cmath>

#include "numeric/Fault.h"

namespace coilsmith {

namespace {

// Halfway between FLT_MAX and 2^128: anything at or beyond it rounds to infinity in
// single precision.
constexpr double kSingleOverflow = 0x1.ffffffp127;

[[noreturn]] void fail(FaultKind kind) {
    throw Fault(kind);
}

}  // namespace

Num Num::outOfRange(Num a, Num b) {
    if (a.isNull() || b.isNull())
        return null();
    fail(FaultKind::Overflow);
}

void Num::nullUsed() {
    fail(FaultKind::NullValue);
}

void Num::divisionByZero() {
    fail(FaultKind::DivisionByZero);
}

double checkedFinite(double x) {
    if (!std::isfinite(x))
        fail(FaultKind::Overflow);
    return x;
}

double sqrtOutOfDomain(double x) {
    fail(x < 0 ? FaultKind::NegativeSqrt : FaultKind::Overflow);
}

double checkedLn(double x) {
    if (!(x > 0))
        fail(FaultKind::NonPositiveLog);
    return checkedFinite(std::log(checkedFinite(x)));
}

double checkedPow(double base, double exponent) {
    checkedFinite(base);
    checkedFinite(exponent);
    if (base == 0.0 && exponent < 0)
        fail(FaultKind::DivisionByZero);
    // A fractional power of a negative number is an even root of it.
    if (base < 0 && std::trunc(exponent) != exponent)
        fail(FaultKind::NegativeSqrt);
    return checkedFinite(std::pow(base, exponent));
}

float toSingle(double x) {
    if (!(std::fabs(x) < kSingleOverflow))
        fail(FaultKind::Overflow);
    return static_cast<float>(x);
}

float toSingle(Num x) {
    return toSingle(x.value());
}

std::optional<long> roundedCount(double value, long lowest, long highest) noexcept {
    // 2^63 for a 64-bit long: the first whole double beyond its range, either way.
    static const double kLongLimit = std::ldexp(1.0, std::numeric_limits<long>::digits);
    const double rounded = std::round(value);
    if (!(rounded >= -kLongLimit && rounded < kLongLimit))  // NaN fails too
        return std::nullopt;
    const auto whole = static_cast<long>(rounded);
    if (whole < lowest || whole > highest)
        return std::nullopt;
    return whole;
}

Num pow(Num base, double exponent) {
    if (base.isNull())
        return base;
    return checkedPow(base.value(), exponent);
}

}  // namespace coilsmith
