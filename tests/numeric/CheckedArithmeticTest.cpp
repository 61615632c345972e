#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>
#include <tuple>

#include "numeric/Fault.h"
#include "numeric/Num.h"
#include "numeric/StepRunner.h"
#include "numeric/Value.h"

namespace coilsmith {
namespace {

using enum FaultKind;
struct FaultRow {
    const char* name;
    std::function<void()> operation;
    FaultKind expected;
};
// clang-format off
#define ROW(expression, kind) {#expression, [] { (void)(expression); }, kind}
// Raised where it happens though the end looks finite (1/(1/0)); inf^0 checks its base first.
const FaultRow kFaults[] = {
    ROW(Num(1) / 0, DivisionByZero), ROW(Num(0) / 0, DivisionByZero),
    ROW(Num(1e308) * 10, Overflow), ROW(Num(1.7e308) + 1.7e308, Overflow),
    ROW(Num(-1.7e308) - 1.7e308, Overflow), ROW(Num(1e300) / 1e-300, Overflow),
    ROW(sqrt(Num(-1)), NegativeSqrt), ROW(checkedLn(0), NonPositiveLog),
    ROW(checkedLn(-2), NonPositiveLog), ROW(checkedPow(0, -1), DivisionByZero),
    ROW(checkedPow(-8, 1.0 / 3), NegativeSqrt), ROW(pow(Num(10), 400), Overflow),
    ROW(checkedPow(HUGE_VAL, 0), Overflow), ROW(Num::null().value(), NullValue),
    ROW(toSingle(Num::null()), NullValue), ROW(toSingle(3.5e38), Overflow),
    ROW(toSingle(-1e39), Overflow), ROW(Num(1) / (Num(1) / 0), DivisionByZero),
    ROW(Num(1e200) * 1e200 / 1e300, Overflow),
    ROW((Num(2) * (Num::null() + 1) / 3).value(), NullValue), ROW(Value("abc").toNum(), NotANumber),
    ROW(Value().toDouble(), NullValue), ROW(Value().toText(), NullValue)};
// clang-format on

TEST(CheckedArithmetic, EachOperationRaisesItsFault) {
    for (const FaultRow& row : kFaults) {
        try {
            row.operation();
            ADD_FAILURE() << row.name << " raised nothing";
        } catch (const Fault& fault) {
            EXPECT_EQ(fault.kind(), row.expected) << row.name << ": " << fault.what();
        }
    }
}

TEST(Num, NullPropagatesNarrowingRoundsValuesConvert) {
    const Num null = Num::null();
    for (const Num& n : {null + 1, 1 - null, null * 0, null / 0, -null, sqrt(null), pow(null, 2)})
        EXPECT_TRUE(n.isNull());
    EXPECT_EQ(toSingle(FLT_MAX), FLT_MAX);
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_EQ(checkedPow(-2, 3), -8);  // only a fractional power of a negative base is refused
    // Catalogue fields.
    EXPECT_EQ(Value(std::int64_t{75}).toDouble(), 75.0);
    EXPECT_EQ(Value("2.5").toDouble(), 2.5);
    EXPECT_TRUE(Value().toNum().isNull());
    EXPECT_EQ(Value(std::int64_t{-26}).toText(), "-26");
    EXPECT_EQ(Value(2.5).toText({",", "."}), "2,5");
}

TEST(StepRunner, KeepsTheFirstFaultAndLeavesTargetsUntouched) {
    StepRunner steps;
    double target = 7;
    EXPECT_TRUE(steps.run([&] { target = (Num(6) / 2).value(); }));
    EXPECT_EQ(target, 3);
    EXPECT_FALSE(steps.run([&] { target = (Num(1) / 0).value(); }));
    EXPECT_FALSE(steps.run([&] { target = sqrt(Num(-1)).value(); }));
    EXPECT_EQ(target, 3);
    ASSERT_TRUE(steps.hasPending());
    EXPECT_EQ(steps.pending()->kind(), DivisionByZero);
}

// The one conversion of a double to a count: rounded, and refused beyond its bounds or
// beyond what a long holds (2^63 and up).
TEST(Num, RoundedCountRefusesWhatDoesNotFit) {
    constexpr long kMax = std::numeric_limits<long>::max();
    constexpr long kMin = std::numeric_limits<long>::min();
    const double inf = std::numeric_limits<double>::infinity();
    const std::tuple<double, long, long, std::optional<long>> rows[] = {
        {2.5, 0, 10, 3},
        {-2.5, -10, 10, -3},
        {10.4, 0, 10, 10},
        {10.5, 0, 10, {}},
        {-0.6, 0, 10, {}},
        {0x1p63, kMin, kMax, {}},
        {-0x1p63, kMin, kMax, kMin},
        {0x1p63 - 1024, kMin, kMax, 0x7FFFFFFFFFFFFC00L},
        {std::nan(""), kMin, kMax, {}},
        {inf, kMin, kMax, {}}};
    for (const auto& [value, lowest, highest, expected] : rows)
        EXPECT_EQ(roundedCount(value, lowest, highest), expected) << value;
}

}  // namespace
}  // namespace coilsmith
