#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "converter/ConverterSpecification.h"
#include "converter/WorstCaseSummary.h"

namespace coilsmith::converter {
namespace {

struct Point {
    double vinV, duty, idcA, rippleA;
};

struct Case {
    const char* name;
    ConverterInput input;
    double inductanceH;
    Point atVinMin, atVinMax;
    struct {
        double ripple, dc, ratio;
    } worstVinV;  // where ΔI, Idc and ΔI/Idc peak
};

void expectNear(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::fabs(expected)) << what;
}

void expectPoint(const OperatingPoint& actual, const Point& expected, const std::string& what) {
    expectNear(actual.vinV, expected.vinV, what + " Vin");
    expectNear(actual.dutyCycle, expected.duty, what + " D");
    expectNear(actual.inductorDcA, expected.idcA, what + " Idc");
    expectNear(actual.ripplePeakToPeakA, expected.rippleA, what + " ripple");
}

using T = Topology;
constexpr std::optional<double> kRatio;  // L from the ripple ratio

constexpr ConverterInput converter(Topology topology, double vinMinV, double vinMaxV, double voutV,
                                   double ioutA, double fsHz, double efficiency = 1,
                                   std::optional<double> inductanceH = kRatio,
                                   double rippleRatio = kDefaultRippleRatio) {
    return {topology, vinMinV, vinMaxV, voutV, ioutA, fsHz, efficiency, inductanceH, rippleRatio};
}

// Worked by hand from D, Idc and ΔI = V_on·D/(L·fs) of each topology (Topology.h).
const Case kCases[] = {
    // Buck 18…36 V → 12 V, 5 A, 100 kHz, r = 0.3: ΔI·L = 6·(2/3)/1e5 = 4e-5 at 18 V (D = 2/3),
    // 24/3/1e5 = 8e-5 at 36 V, so L = 8e-5/(0.3·5) = 53.33 µH. Idc ties: Vin min is named.
    {"buck, ripple ratio",
     converter(T::Buck, 18, 36, 12, 5, 100e3, 1, kRatio, 0.3),
     8e-5 / 1.5,
     {18, 2.0 / 3, 5, 0.75},
     {36, 1.0 / 3, 5, 1.5},
     {36, 18, 36}},
    // Boost 12…20 V → 24 V, 1 A, 100 kHz, r = 0.4: ΔI·L·fs/Idc is 6/2 = 3 at 12 V,
    // (16/3)/1.5 = 3.5556 at 16 V (D = 1/3), (20/6)/1.2 = 2.7778 at 20 V; L = 3.5556/4e4 =
    // 88.89 µH: ΔI = 6/8.8889 = 0.675 A at 12 V (the ripple top), 3.3333/8.8889 = 0.375 A at 20 V.
    {"boost, ripple ratio, ratio top inside",
     converter(T::Boost, 12, 20, 24, 1, 100e3, 1, kRatio, 0.4),
     (32.0 / 9) / 40e3,
     {12, 0.5, 2, 0.675},
     {20, 1.0 / 6, 1.2, 0.375},
     {12, 12, 16}},
    // Boost 9…15 V → 24 V, 1 A, 100 kHz, η = 0.9, L = 100 µH (L·fs = 10 Ω): D = 1 − 0.9 Vin/24,
    // Idc = 1/(1 − D), ΔI = Vin·D/10; ΔI tops inside at Vout/(2η) = 13.33 V, ΔI/Idc at 15 V
    // (0.3691; its top 2·Vout/(3η) = 17.8 V lies outside).
    {"boost, given L, efficiency",
     converter(T::Boost, 9, 15, 24, 1, 100e3, 0.9, 100e-6),
     100e-6,
     {9, 0.6625, 1 / 0.3375, 0.59625},
     {15, 0.4375, 1 / 0.5625, 0.65625},
     {24 / 1.8, 9, 15}},
    // Buck-boost 5…12 V → −5 V, 0.5 A, 250 kHz, η = 0.85, L = 22 µH (L·fs = 5.5 Ω):
    // D = 5/(5 + 0.85 Vin), Idc = 0.5/(1 − D), ΔI = Vin·D/5.5.
    {"buck-boost, given L, efficiency",
     converter(T::BuckBoost, 5, 12, 5, 0.5, 250e3, 0.85, 22e-6),
     22e-6,
     {5, 5 / 9.25, 0.5 / (4.25 / 9.25), 5 * (5 / 9.25) / 5.5},
     {12, 5 / 15.2, 0.5 / (10.2 / 15.2), 12 * (5 / 15.2) / 5.5},
     {12, 5, 12}},
};

TEST(SpecifyFromConverter, WorstCasesAtBothEndsAndInside) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const ConverterSpecification s = specifyFromConverter(c.input);
        expectNear(s.choke.inductanceH, c.inductanceH, "L");
        expectPoint(s.atVinMin, c.atVinMin, "Vin min");
        expectPoint(s.atVinMax, c.atVinMax, "Vin max");
        expectNear(s.largestRipple.vinV, c.worstVinV.ripple, "Vin of the largest ripple");
        expectNear(s.largestDcCurrent.vinV, c.worstVinV.dc, "Vin of the largest Idc");
        expectNear(s.largestRippleRatio.vinV, c.worstVinV.ratio, "Vin of the largest ratio");
        EXPECT_EQ(s.choke.dcCurrentA, s.largestDcCurrent.inductorDcA);
        EXPECT_EQ(s.choke.ripplePeakToPeakA, s.largestRipple.ripplePeakToPeakA);
    }
}

struct Refusal {
    ConverterInput input;
    const char* message;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const Refusal kRefusals[] = {
    {converter(T::Buck, 12, 20, 12, 5, 100e3),
     "A buck needs Vout below Vin: 12 V is not below the lowest "
     "input 12 V; use a boost or buck-boost, or raise Vin min above 12 V"},
    {converter(T::Boost, 9, 12, 12, 1, 100e3),
     "A boost needs Vout above Vin: 12 V is not above the "
     "highest input 12 V; use a buck or buck-boost, or lower Vin max below 12 V"},
    // D = 1 − 1/24 = 0.958 at 1 V.
    {converter(T::Boost, 1, 2, 24, 1, 100e3),
     "The duty cycle would be 0.958 at Vin min 1 V, above the "
     "0.95 a converter in continuous conduction can hold; raise Vin min or lower Vout"},
    // D = 12/(0.9·12.5) = 1.067: the losses leave too little input.
    {converter(T::Buck, 12.5, 20, 12, 5, 100e3, 0.9),
     "The duty cycle would be 1.07 at Vin min 12.5 V, "
     "above the 0.95 a converter in continuous conduction can hold; raise Vin min or lower Vout"},
    // D = 12/700 = 0.0171.
    {converter(T::Buck, 100, 700, 12, 5, 100e3),
     "The duty cycle would be 0.0171 at Vin max 700 V, below "
     "the 0.02 a switch can make; lower Vin max or raise Vout"},
    // Buck 18…36 V → 12 V, 0.5 A, L = 10 µH: at 36 V ΔI = 8e-5/1e-5 = 8 A > 2·0.5 A;
    // ΔI/Idc = 16, so L must be at least 10 µH·16/2 = 80 µH.
    {converter(T::Buck, 18, 36, 12, 0.5, 100e3, 1, 10e-6),
     "At this load the inductor current falls to "
     "zero in every period (discontinuous conduction): at Vin 36 V the ripple 8 A p-p is more "
     "than twice the inductor's DC current 500 mA; use at least 80 µH, or give a ripple ratio "
     "instead of the inductance"},
    // Boost 12…20 V → 24 V, 0.1 A, L = 160 µH: ΔI/Idc is 1.875 at 12 V and 1.736 at 20 V but
    // (5.333/16)/0.15 = 2.222 at 16 V inside; L must be at least 160·2.222/2 = 177.8 µH.
    {converter(T::Boost, 12, 20, 24, 0.1, 100e3, 1, 160e-6),
     "At this load the inductor current falls "
     "to zero in every period (discontinuous conduction): at Vin 16 V the ripple 333.3 mA p-p is "
     "more than twice the inductor's DC current 150 mA; use at least 177.8 µH, or give a "
     "ripple ratio instead of the inductance"},
    {converter(T::Buck, 0, 36, 12, 5, 100e3), "Vin min must be above zero, not 0 V"},
    {converter(T::BuckBoost, 18, 36, -12, 5, 100e3),
     "Vout must be above zero, not -12 V; give the "
     "buck-boost's inverted output as a magnitude"},
    {converter(T::Buck, 18, 36, 12, 5, kNaN), "The switching frequency must be a finite number"},
    {converter(T::Buck, 18, 36, 12, 5, 100e3, 1, 0.0),
     "The inductance must be above zero, not 0 H"},
    {converter(T::Buck, 18, 36, 12, 5, 100e3, 1, kRatio, 0),
     "The ripple ratio must be above zero, not 0"},
    {converter(T::Buck, 18, 36, 12, 5, 100e3, 1, kRatio, 2.5),
     "A ripple ratio of 2.5 lets the inductor "
     "current fall to zero in every period (discontinuous conduction); choose a ratio above 0 "
     "and at most 2 (0.2 to 0.4 is usual)"},
    {converter(T::Buck, 18, 36, 12, 5, 100e3, 0),
     "The efficiency must lie above 0 and at most 1, not 0"},
    {converter(T::Buck, 18, 36, 12, 5, 100e3, 1.2),
     "The efficiency must lie above 0 and at most 1, not 1.2"},
    {converter(T::Buck, 18, 36, 12, 5, 100e3, kNaN), "The efficiency must be a finite number"},
    {converter(T::Buck, 36, 18, 12, 5, 100e3),
     "The input range runs backwards: Vin min 36 V is above Vin "
     "max 18 V; give the lower voltage first"},
    // ΔI at 1 H = 8/1e-310 overflows, so L would be infinite.
    {converter(T::Buck, 18, 36, 12, 5, 1e-310),
     "The inputs give an inductance or current out of range; "
     "check their units"},
};

// Two cases in words, as the dialog and the command line show them.
TEST(WorstCaseSummary, NamesEachWorstCaseAndItsInput) {
    const auto summary = [](const ConverterInput& input) {
        std::string text = converterLine(input) + ":";
        for (const SummaryRow& row : worstCaseSummary(input, specifyFromConverter(input)))
            text += "\n" + row.quantity + " | " + row.value + " | " + row.where;
        return text;
    };
    EXPECT_EQ(summary(kCases[0].input),
              "buck 18 V to 36 V -> 12 V, 5 A at 100 kHz, efficiency 1:\n"
              "D | 0.667 to 0.333 | from Vin 18 V to 36 V\n"
              "L | 53.33 \u00b5H | for the ripple ratio 0.3 at Vin 36 V (D = 0.333)\n"
              "Idc | 5 A | largest at Vin 18 V (D = 0.667)\n"
              "\u0394I | 1.5 A p-p | largest at Vin 36 V (D = 0.333)\n"
              "\u0394I/Idc | 0.3 | largest at Vin 36 V (D = 0.333)");
    EXPECT_NE(summary(kCases[2].input).find("\nL | 100 \u00b5H | as given\n"), std::string::npos);
    EXPECT_EQ(converterLine(converter(T::BuckBoost, 24, 24, 5, 0.5, 250e3, 0.85)),
              "buck-boost 24 V -> -5 V, 500 mA at 250 kHz, efficiency 0.85");
}

TEST(SpecifyFromConverter, RefusesWhatIsNotAContinuousConductionConverter) {
    for (const Refusal& r : kRefusals) {
        try {
            specifyFromConverter(r.input);
            ADD_FAILURE() << "accepted: " << r.message;
        } catch (const ConverterRefusal& e) {
            EXPECT_EQ(e.what(), std::string(r.message));
        }
    }
}

TEST(SpecifyFromConverter, AcceptsTheEdgesOfWhatItModels) {
    // L = 81 µH just keeps the refused 80 µH buck above continuous conduction; one input
    // voltage is a range of one point; D = 0.95, D = 0.02 and a ratio of 2 are still accepted.
    EXPECT_NO_THROW(specifyFromConverter(converter(T::Buck, 18, 36, 12, 0.5, 100e3, 1, 81e-6)));
    EXPECT_NO_THROW(specifyFromConverter(converter(T::Buck, 24, 24, 12, 5, 100e3)));
    EXPECT_NO_THROW(specifyFromConverter(converter(T::Buck, 100, 600, 12, 5, 100e3)));  // 0.02
    EXPECT_NO_THROW(specifyFromConverter(converter(T::Boost, 1.2, 2, 24, 1, 100e3)));   // D = 0.95
    EXPECT_NO_THROW(specifyFromConverter(converter(T::Buck, 18, 36, 12, 5, 100e3, 1, kRatio, 2)));
}

}  // namespace
}  // namespace coilsmith::converter
