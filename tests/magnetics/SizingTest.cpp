#include <gtest/gtest.h>

#include <string>

#include "WorkedExample.h"
#include "magnetics/Sizing.h"

namespace coilsmith {
namespace {

using examples::freshWindow;

const SpecificationTexts kDefaultTexts{"25", "0.5", "25", "5", "50"};

TEST(Sizing, DefaultSpecification) {
    DesignState s = freshWindow();
    const SizingOutcome out = calculateAreaProduct(s, kDefaultTexts);
    ASSERT_FALSE(out.message);
    EXPECT_DOUBLE_EQ(s.Lreq, 25e-6);
    EXPECT_EQ(s.Bdes, 0.5);
    EXPECT_EQ(s.Idc, 25);
    EXPECT_EQ(s.Iac, 5);
    EXPECT_EQ(s.Fexc, 50000.0f);
    EXPECT_EQ(s.Ipk, 27.5);
    // Irms = sqrt(25^2 + (5/2/sqrt 3)^2) = sqrt(627.08333...) = 25.0416320021945...
    EXPECT_NEAR(s.Irms, 25.0416320021945, 1e-12);
    // E = 0.009453125 J gives 2 E / (B J Ku) = 2.36328125 cm^4.
    EXPECT_FLOAT_EQ(out.ap, 2.36328125f);
    EXPECT_EQ(out.apText, "2.363");
}

TEST(Sizing, OneMilliHenryExample) {
    DesignState s = freshWindow();
    s.Lfac = 1e-3;
    s.Jdes = 3e6;
    s.Ku = 0.3f;
    const SizingOutcome out = calculateAreaProduct(s, {"1", "0.3", "2", "0.5", "100"});
    ASSERT_FALSE(out.message);
    // Ku is the single nearest 0.3, so the quotient lands one single below 1.875, which
    // still reads 1.875 at single precision's seven digits.
    EXPECT_FLOAT_EQ(out.ap, 1.875f);
    EXPECT_EQ(out.apText, "1.875");
}

TEST(Sizing, RunningTwiceGivesTheSameText) {
    DesignState s = freshWindow();
    const auto first = calculateAreaProduct(s, kDefaultTexts);
    const DesignState afterFirst = s;
    const auto second = calculateAreaProduct(s, kDefaultTexts);
    EXPECT_EQ(first.apText, second.apText);
    EXPECT_EQ(s, afterFirst);
}

TEST(Sizing, UsesTheLocaleSeparators) {
    DesignState s = freshWindow();
    const auto out =
        calculateAreaProduct(s, {"25", "0,5", "1.025", "5", "50"}, NumberLocale{",", "."});
    ASSERT_FALSE(out.message);
    EXPECT_EQ(s.Idc, 1025);
    EXPECT_EQ(s.Bdes, 0.5);
    EXPECT_NE(out.apText.find(','), std::string::npos);
}

struct BadInputRow {
    int failing;  // index of the input that fails, in reading order
    SpecificationTexts texts;
    double ffac;
    const char* message;
};

class BadInputTest : public testing::TestWithParam<BadInputRow> {};

// Earlier inputs are stored, the failing one and all later ones keep what they held.
TEST_P(BadInputTest, StopsAtTheFirstBadInput) {
    const BadInputRow& row = GetParam();
    DesignState s = freshWindow();
    s.Ffac = row.ffac;
    const double old = -7;
    s.Lreq = s.Bdes = s.Idc = s.Iac = old;
    s.Fexc = -7.0f;
    s.Ipk = s.Irms = old;
    const SizingOutcome out = calculateAreaProduct(s, row.texts);
    ASSERT_TRUE(out.message);
    EXPECT_EQ(*out.message, row.message);
    EXPECT_TRUE(out.apText.empty());
    const double fields[] = {s.Lreq, s.Bdes, s.Idc, s.Iac, s.Fexc};
    const double fresh[] = {25e-6, 0.5, 25, 5, 50 * row.ffac};
    for (int i = 0; i < 5; ++i) {
        if (i < row.failing) {
            EXPECT_DOUBLE_EQ(fields[i], fresh[i]) << "input " << i;
        } else {
            EXPECT_EQ(fields[i], old) << "input " << i;
        }
    }
    EXPECT_EQ(s.Ipk, old);
    EXPECT_EQ(s.Irms, old);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, BadInputTest,
    testing::Values(
        BadInputRow{0, {"", "0.5", "25", "5", "50"}, 1000, "Re-Enter Inductance Value"},
        BadInputRow{1, {"25", "abc", "25", "5", "50"}, 1000, "Re-Enter Flux Density value Value"},
        BadInputRow{2, {"25", "0.5", " ", "5", "50"}, 1000, "Re-Enter DC Current Value"},
        BadInputRow{3, {"25", "0.5", "25", "1..2", "50"}, 1000, "Re-Enter AC Current Value"},
        BadInputRow{4, {"25", "0.5", "25", "5", "fifty"}, 1000, "Re-Enter Excitation Frequency"},
        // Too large for the single-precision frequency, and too large for a double.
        BadInputRow{4, {"25", "0.5", "25", "5", "1e36"}, 1000, "Re-Enter Excitation Frequency"},
        BadInputRow{4, {"25", "0.5", "25", "5", "1e305"}, 1e6, "Re-Enter Excitation Frequency"},
        BadInputRow{0, {"1e999", "0.5", "25", "5", "50"}, 1000, "Re-Enter Inductance Value"},
        // Values that give no choke: no inductance or flux density, a negative current or
        // frequency.
        BadInputRow{0, {"0", "0.5", "25", "5", "50"}, 1000, "Re-Enter Inductance Value"},
        BadInputRow{0, {"-5", "0.5", "25", "5", "50"}, 1000, "Re-Enter Inductance Value"},
        BadInputRow{1, {"25", "0", "25", "5", "50"}, 1000, "Re-Enter Flux Density value Value"},
        BadInputRow{1, {"25", "-0.5", "25", "5", "50"}, 1000, "Re-Enter Flux Density value Value"},
        BadInputRow{2, {"25", "0.5", "-25", "5", "50"}, 1000, "Re-Enter DC Current Value"},
        BadInputRow{3, {"25", "0.5", "25", "-1", "50"}, 1000, "Re-Enter AC Current Value"},
        BadInputRow{4, {"25", "0.5", "25", "5", "-25"}, 1000, "Re-Enter Excitation Frequency"}));

struct SizingRow {
    const char* name;
    SpecificationTexts texts;
    const char* apText;
};

class SizingCaseTest : public testing::TestWithParam<SizingRow> {};

TEST_P(SizingCaseTest, ShowsTheAreaProduct) {
    const SizingRow& row = GetParam();
    DesignState s = freshWindow();
    const SizingOutcome out = calculateAreaProduct(s, row.texts);
    ASSERT_FALSE(out.message) << row.name;
    EXPECT_EQ(out.apText, row.apText) << row.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizingCaseTest,
    testing::Values(
        // 2 E / (B J Ku) with B J Ku = 0.5 T * 4e6 A/m^2 * 0.4 = 8e5, times 1e8 for cm^4:
        // pure ripple Ipk 2.5 A, E = 7.8125e-5 J; pure DC Ipk 25 A, E = 7.8125e-3 J.
        SizingRow{"pure ripple", {"25", "0.5", "0", "5", "50"}, "0.020"},
        SizingRow{"pure DC", {"25", "0.5", "25", "0", "50"}, "1.953"},
        SizingRow{"zero frequency", {"25", "0.5", "25", "5", "0"}, "2.363"},
        SizingRow{"thousand times the inductance", {"25000", "0.5", "25", "5", "50"}, "2363.281"}));

TEST(Sizing, FailingSizingStepsAreSkipped) {
    DesignState s = freshWindow();
    s.Irms = -7;
    // The ripple's square overflows: Irms keeps its old value and the energy stays 0.
    const SizingOutcome out = calculateAreaProduct(s, {"25", "0.5", "25", "1e308", "50"});
    ASSERT_FALSE(out.message);
    EXPECT_EQ(s.Iac, 1e308);
    EXPECT_EQ(s.Ipk, 5e307 + 25);
    EXPECT_EQ(s.Irms, -7);
    EXPECT_EQ(out.apText, "0.000");
}

}  // namespace
}  // namespace coilsmith
