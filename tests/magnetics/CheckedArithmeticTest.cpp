#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <string>

#include "magnetics/Fault.h"
#include "magnetics/Num.h"
#include "magnetics/StepRunner.h"
#include "magnetics/Value.h"

namespace coilsmith {
namespace {

struct FaultRow {
    const char* name;
    std::function<void()> operation;
    FaultKind expected;
};

class FaultKindTest : public testing::TestWithParam<FaultRow> {};

TEST_P(FaultKindTest, RaisesTheRightFault) {
    const FaultRow& row = GetParam();
    try {
        row.operation();
        ADD_FAILURE() << row.name << " raised nothing";
    } catch (const Fault& fault) {
        EXPECT_EQ(fault.kind(), row.expected) << row.name << ": " << fault.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, FaultKindTest,
    testing::Values(
        FaultRow{"one over zero", [] { (void)(Num(1) / 0); }, FaultKind::DivisionByZero},
        FaultRow{"zero over zero", [] { (void)(Num(0) / 0); }, FaultKind::DivisionByZero},
        FaultRow{"product overflow", [] { (void)(Num(1e308) * 10); }, FaultKind::Overflow},
        FaultRow{"sum overflow", [] { (void)(Num(1.7e308) + 1.7e308); }, FaultKind::Overflow},
        FaultRow{"difference overflow", [] { (void)(Num(-1.7e308) - 1.7e308); },
                 FaultKind::Overflow},
        FaultRow{"quotient overflow", [] { (void)(Num(1e300) / 1e-300); }, FaultKind::Overflow},
        FaultRow{"root of negative", [] { (void)sqrt(Num(-1)); }, FaultKind::NegativeSqrt},
        FaultRow{"log of zero", [] { (void)checkedLn(0); }, FaultKind::NonPositiveLog},
        FaultRow{"log of negative", [] { (void)checkedLn(-2); }, FaultKind::NonPositiveLog},
        FaultRow{"zero to a negative power", [] { (void)checkedPow(0, -1); },
                 FaultKind::DivisionByZero},
        FaultRow{"fractional power of negative", [] { (void)checkedPow(-8, 1.0 / 3); },
                 FaultKind::NegativeSqrt},
        FaultRow{"power overflow", [] { (void)pow(Num(10), 400); }, FaultKind::Overflow},
        // inf^0 would be 1: the base is checked before the power is taken.
        FaultRow{"power of an infinite base", [] { (void)checkedPow(HUGE_VAL, 0); },
                 FaultKind::Overflow},
        FaultRow{"null used as number", [] { (void)Num::null().value(); }, FaultKind::NullValue},
        FaultRow{"null narrowed", [] { (void)toSingle(Num::null()); }, FaultKind::NullValue},
        FaultRow{"narrowing overflow", [] { (void)toSingle(3.5e38); }, FaultKind::Overflow},
        FaultRow{"negative narrowing overflow", [] { (void)toSingle(-1e39); },
                 FaultKind::Overflow}));

// A fault inside an expression is raised where it happens, even when the final value
// would look finite.
INSTANTIATE_TEST_SUITE_P(
    Hidden, FaultKindTest,
    testing::Values(
        FaultRow{"1/(1/0)", [] { (void)(Num(1) / (Num(1) / 0)); }, FaultKind::DivisionByZero},
        FaultRow{"overflow then shrink", [] { (void)(Num(1e200) * 1e200 / 1e300); },
                 FaultKind::Overflow},
        FaultRow{"null deep inside", [] { (void)(Num(2) * (Num::null() + 1) / 3).value(); },
                 FaultKind::NullValue},
        FaultRow{"text field read as number", [] { (void)Value("abc").toNum(); },
                 FaultKind::NotANumber},
        FaultRow{"null field read as number", [] { (void)Value().toDouble(); },
                 FaultKind::NullValue},
        FaultRow{"null field as text", [] { (void)Value().toText(); }, FaultKind::NullValue}));

TEST(Num, NullPropagatesThroughArithmetic) {
    const Num null = Num::null();
    EXPECT_TRUE((null + 1).isNull());
    EXPECT_TRUE((1 - null).isNull());
    EXPECT_TRUE((null * 0).isNull());
    EXPECT_TRUE((null / 0).isNull());
    EXPECT_TRUE((-null).isNull());
    EXPECT_TRUE(sqrt(null).isNull());
    EXPECT_TRUE(pow(null, 2).isNull());
    EXPECT_EQ(Num(), Num(0));
}

TEST(Num, NarrowingRoundsToNearestWithinRange) {
    EXPECT_EQ(toSingle(0.4), 0.4f);
    EXPECT_EQ(toSingle(FLT_MAX), FLT_MAX);
    EXPECT_EQ(toSingle(1e-50), 0.0f);
    EXPECT_EQ(toSingle(2.36328125), 2.36328125f);
}

TEST(Value, ConvertsCatalogueFields) {
    EXPECT_EQ(Value(std::int64_t{75}).toDouble(), 75.0);
    EXPECT_EQ(Value("2.5").toDouble(), 2.5);
    EXPECT_TRUE(Value().toNum().isNull());
    EXPECT_EQ(Value(std::int64_t{-26}).toText(), "-26");
    EXPECT_EQ(Value(1.0).toText(), "1");
    EXPECT_EQ(Value(2.5).toText({",", "."}), "2,5");
    EXPECT_EQ(Value("Kool Mu").toText(), "Kool Mu");
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
    EXPECT_EQ(steps.pending()->kind(), FaultKind::DivisionByZero);
    steps.clear();
    EXPECT_FALSE(steps.hasPending());
}

}  // namespace
}  // namespace coilsmith
