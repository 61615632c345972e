#include "method/Sizing.h"

#include <functional>
#include <limits>
#include <vector>

#include "method/MethodConstants.h"
#include "numeric/Fault.h"
#include "numeric/StepRunner.h"
#include "physics/Ripple.h"

namespace coilsmith {

namespace {

// Which scaled values make sense for an input. An inductance or a flux density of zero
// or less gives no core at all; a current may be zero (a choke for pure ripple or pure
// DC) but never negative; the core loss divides by the ripple's frequency, which must be
// above zero. The value lists take a closed range.
struct Range {
    double low = 0;
    bool lowIncluded = false;
    double high = std::numeric_limits<double>::max();

    bool holds(double value) const {
        return (lowIncluded ? value >= low : value > low) && value <= high;
    }
};
constexpr Range kPositive{};
constexpr Range kNotNegative{0, true};

struct Input {
    const std::string& text;
    double factor;
    Range range;
    std::function<void(double)> store;  // may fault, as narrowing to single precision does
    std::string message;
    bool listValue = false;
};

// The value lists' own items are the program's numbers, written with a full stop whatever
// the user's separator; a value typed there is read in the user's locale first.
std::optional<double> readNumber(const Input& input, const NumberLocale& locale) {
    const auto number = parseNumber(input.text, locale);
    return number || !input.listValue ? number : parseNumber(input.text);
}

// Typed text times its unit factor into its field; false when the text is not a number,
// the value is out of its range or does not fit, leaving the field as it was.
bool readInput(const Input& input, const NumberLocale& locale) {
    const auto number = readNumber(input, locale);
    if (!number)
        return false;
    try {
        const double scaled = (Num(*number) * input.factor).value();
        if (!input.range.holds(scaled))
            return false;
        input.store(scaled);
        return true;
    } catch (const Fault&) {
        return false;
    }
}

// "Re-Enter Window Utilization Value (0.05 to 0.9)": the list's name and its range.
std::string listMessage(const char* name, double low, double high, const char* unit,
                        const NumberLocale& locale) {
    return std::string("Re-Enter ") + name + " Value (" + formatNumber(low, locale) + " to " +
           formatNumber(high, locale) + unit + ")";
}

// Reads the inputs in their fixed order and stops at the first bad one, whose message it
// returns; the fields read before it keep their new values.
std::optional<std::string> readInputs(DesignState& s, const TypedSpecification& texts,
                                      const NumberLocale& locale) {
    std::vector<Input> inputs = {
        {texts.inductance, s.Lfac, kPositive, [&s](double v) { s.Lreq = v; },
         "Re-Enter Inductance Value"},
        {texts.fluxDensity, s.Bfac, kPositive, [&s](double v) { s.Bdes = v; },
         "Re-Enter Flux Density value Value"},
        {texts.dcCurrent, s.DCfac, kNotNegative, [&s](double v) { s.Idc = v; },
         "Re-Enter DC Current Value"},
        {texts.rippleCurrent, static_cast<double>(s.ACfac), kNotNegative,
         [&s](double v) { s.Iac = v; }, "Re-Enter AC Current Value"},
        {texts.frequency, s.Ffac, kPositive, [&s](double v) { s.Fexc = toSingle(v); },
         "Re-Enter Excitation Frequency"},
    };
    if (texts.currentDensity) {
        inputs.push_back({*texts.currentDensity, kSquareCmPerSquareMetre,
                          Range{kLowestCurrentDensityAPerCm2 * kSquareCmPerSquareMetre, true,
                                kHighestCurrentDensityAPerCm2 * kSquareCmPerSquareMetre},
                          [&s](double v) { s.Jdes = v; },
                          listMessage("Current Density", kLowestCurrentDensityAPerCm2,
                                      kHighestCurrentDensityAPerCm2, " A/cm^2", locale),
                          true});
    }
    if (texts.windowUtilisation) {
        inputs.push_back({*texts.windowUtilisation, 1,
                          Range{kLowestWindowUtilisation, true, kHighestWindowUtilisation},
                          [&s](double v) { s.Ku = toSingle(v); },
                          listMessage("Window Utilization", kLowestWindowUtilisation,
                                      kHighestWindowUtilisation, "", locale),
                          true});
    }
    for (const Input& input : inputs) {
        if (!readInput(input, locale))
            return input.message;
    }
    return std::nullopt;
}

}  // namespace

SizingOutcome sizeAreaProduct(DesignState& s, const TypedSpecification& texts,
                              const NumberLocale& locale) {
    SizingOutcome outcome;
    outcome.message = readInputs(s, texts, locale);
    if (outcome.message)
        return outcome;

    // A failing step is skipped and leaves its target as it was; locals start at 0. With
    // the inputs in range no step is expected to fail short of an overflow.
    StepRunner steps;
    double energy = 0;
    float ap = 0;
    // The inputs are finite, so only an overflow can fault these, as each operation would.
    steps.run([&] { s.Ipk = checkedFinite(physics::peakCurrentA(s.Idc, s.Iac)); });
    steps.run([&] { s.Irms = checkedFinite(physics::rmsCurrentA(s.Idc, s.Iac)); });
    steps.run([&] { energy = (Num(0.5) * s.Lreq * (Num(s.Ipk) * s.Ipk)).value(); });
    steps.run([&] {
        ap = toSingle(Num(energy) * 2 * 1e8 / (Num(s.Bdes) * s.Jdes * static_cast<double>(s.Ku)));
    });
    steps.run([&] { outcome.apText = formatFixed(ap, 3, locale); });
    outcome.ap = ap;
    return outcome;
}

}  // namespace coilsmith
