#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "WorkedExample.h"
#include "method/Sizing.h"

namespace coilsmith {
namespace {

using examples::freshWindow;

const TypedSpecification kDefaultTexts{"25", "0.5", "25", "5", "50"};

TEST(Sizing, DefaultSpecification) {
    DesignState s = freshWindow();
    const SizingOutcome out = sizeAreaProduct(s, kDefaultTexts);
    ASSERT_FALSE(out.message);  // the other inputs' values: StopsAtTheFirstBadInput
    EXPECT_EQ(s.Fexc, 50000.0f);
    EXPECT_EQ(s.Ipk, 27.5);
    // Irms = sqrt(25^2 + (5/2/sqrt 3)^2) = sqrt(627.08333...) = 25.0416320021945...
    EXPECT_NEAR(s.Irms, 25.0416320021945, 1e-12);
    // E = 0.009453125 J gives 2 E / (B J Ku) = 2.36328125 cm^4.
    EXPECT_FLOAT_EQ(out.ap, 2.36328125f);
    EXPECT_EQ(out.apText, "2.363");
}

// Earlier inputs are stored, the failing one and all later ones keep what they held; values that
// give no choke (no inductance, flux density or frequency, a negative current) are refused, as
// is a frequency too large for single precision (1e36) or for a double (1e305 kHz). Which texts
// read as numbers at all is NumberText's (numeric tests).
TEST(Sizing, StopsAtTheFirstBadInput) {
    const char* const messages[] = {
        "Re-Enter Inductance Value", "Re-Enter Flux Density value Value",
        "Re-Enter DC Current Value", "Re-Enter AC Current Value", "Re-Enter Excitation Frequency"};
    const std::tuple<int, TypedSpecification, double> rows[] = {
        {0, {"", "0.5", "25", "5", "50"}, 1000},     {4, {"25", "0.5", "25", "5", "1e36"}, 1000},
        {4, {"25", "0.5", "25", "5", "1e305"}, 1e6}, {0, {"1e999", "0.5", "25", "5", "50"}, 1000},
        {0, {"0", "0.5", "25", "5", "50"}, 1000},    {0, {"-5", "0.5", "25", "5", "50"}, 1000},
        {1, {"25", "0", "25", "5", "50"}, 1000},     {1, {"25", "-0.5", "25", "5", "50"}, 1000},
        {2, {"25", "0.5", "-25", "5", "50"}, 1000},  {3, {"25", "0.5", "25", "-1", "50"}, 1000},
        {4, {"25", "0.5", "25", "5", "-25"}, 1000},  {4, {"25", "0.5", "25", "5", "0"}, 1000}};
    for (const auto& [failing, texts, ffac] : rows) {
        DesignState s = freshWindow();
        s.Ffac = ffac;
        s.Lreq = s.Bdes = s.Idc = s.Iac = s.Ipk = s.Irms = s.Fexc = -7;
        const SizingOutcome out = sizeAreaProduct(s, texts);
        EXPECT_EQ(out.message.value_or("none"), messages[failing]);
        EXPECT_TRUE(out.apText.empty());
        const double fields[] = {s.Lreq, s.Bdes, s.Idc, s.Iac, s.Fexc, s.Ipk, s.Irms};
        const double fresh[] = {25e-6, 0.5, 25, 5, 50 * ffac};
        for (int i = 0; i < 7; ++i)
            EXPECT_DOUBLE_EQ(fields[i], i < failing ? fresh[i] : -7) << "input " << i;
    }
}

// The two lists take J from 50 to 2000 A/cm² and Ku from 0.05 to 0.9, both ends included.
TEST(Sizing, ListValuesInTheirRange) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"50", "0.9", "none"},
        {"2000", "0.05", "none"},
        {"49.9", "0.4", "Re-Enter Current Density Value (50 to 2000 A/cm^2)"},
        {"400", "0.91", "Re-Enter Window Utilization Value (0.05 to 0.9)"}};
    for (const auto& [j, ku, message] : rows) {
        DesignState s = freshWindow();
        const SizingOutcome out = sizeAreaProduct(s, {"25", "0.5", "25", "5", "50", j, ku});
        EXPECT_EQ(out.message.value_or("none"), message) << j << ' ' << ku;
        EXPECT_EQ(s.Jdes, out.message ? 4e6 : std::stod(j) * 1e4) << j;
    }
    // A list value is read in the user's locale first.
    DesignState s = freshWindow();
    EXPECT_FALSE(
        sizeAreaProduct(s, {"25", "0,5", "25", "5", "50", "400", "0,3"}, {",", "."}).message);
    EXPECT_EQ(s.Ku, 0.3f);
}

// 2 E / (B J Ku) with B J Ku = 0.5 T * 4e6 A/m^2 * 0.4 = 8e5, times 1e8 for cm^4: pure ripple
// Ipk 2.5 A, E = 7.8125e-5 J; pure DC Ipk 25 A, E = 7.8125e-3 J; 1 Hz; 1000 times L;
// the decimal comma and the thousands point: Ipk 1027.5 A, E = 13.19695 J, 3299.23828125 cm^4;
// 1 mH, Ipk 2.25 A, 0.3 T, 300 A/cm², Ku 0.3: E = 2.53125e-3 J, 2 E 1e8 / 2.7e5 = 1.875 cm^4
// (Ku is the single nearest 0.3: the quotient lands one single below, still read 1.875).
TEST(Sizing, ShowsTheAreaProduct) {
    const std::tuple<TypedSpecification, NumberLocale, const char*> rows[] = {
        {{"25", "0.5", "0", "5", "50"}, {".", ","}, "0.020"},
        {{"25", "0.5", "25", "0", "50"}, {".", ","}, "1.953"},
        {{"25", "0.5", "25", "5", "0.001"}, {".", ","}, "2.363"},
        {{"25000", "0.5", "25", "5", "50"}, {".", ","}, "2363.281"},
        {{"25", "0,5", "1.025", "5", "50"}, {",", "."}, "3299,238"},
        {{"1000", "0.3", "2", "0.5", "100", "300", "0.3"}, {".", ","}, "1.875"}};
    for (const auto& [texts, locale, apText] : rows) {
        DesignState s = freshWindow();
        EXPECT_EQ(sizeAreaProduct(s, texts, locale).apText, apText);
    }
}

TEST(Sizing, FailingSizingStepsAreSkipped) {
    DesignState s = freshWindow();
    s.Irms = -7;
    // The ripple's square overflows: Irms keeps its old value and the energy stays 0.
    const SizingOutcome out = sizeAreaProduct(s, {"25", "0.5", "25", "1e308", "50"});
    ASSERT_FALSE(out.message);
    EXPECT_EQ(s.Irms, -7);
    EXPECT_EQ(out.apText, "0.000");
}

}  // namespace
}  // namespace coilsmith
