#include "magnetics/Sizing.h"

#include <functional>

#include "magnetics/Fault.h"
#include "magnetics/StepRunner.h"

namespace coilsmith {

namespace {

// Which scaled values make sense for an input. An inductance or a flux density of zero
// or less gives no core at all; a current or frequency may be zero (a choke for pure
// ripple or pure DC) but never negative.
enum class Range { Positive, NotNegative };

bool inRange(double value, Range range) {
    return range == Range::Positive ? value > 0 : value >= 0;
}

struct Input {
    const std::string& text;
    double factor;
    Range range;
    std::function<void(double)> store;  // may fault, as narrowing to single precision does
    const char* message;
};

// Typed text times its unit factor into its field; false when the text is not a number,
// the value is out of its range or does not fit, leaving the field as it was.
bool readInput(const Input& input, const NumberLocale& locale) {
    const auto number = parseNumber(input.text, locale);
    if (!number)
        return false;
    try {
        const double scaled = (Num(*number) * input.factor).value();
        if (!inRange(scaled, input.range))
            return false;
        input.store(scaled);
        return true;
    } catch (const Fault&) {
        return false;
    }
}

// Reads the five inputs in their fixed order and stops at the first bad one, whose
// message it returns; the fields read before it keep their new values.
std::optional<std::string> readInputs(DesignState& s, const SpecificationTexts& texts,
                                      const NumberLocale& locale) {
    const Input inputs[] = {
        {texts.Ldes, s.Lfac, Range::Positive, [&s](double v) { s.Lreq = v; },
         "Re-Enter Inductance Value"},
        {texts.FD, s.Bfac, Range::Positive, [&s](double v) { s.Bdes = v; },
         "Re-Enter Flux Density value Value"},
        {texts.DCC, s.DCfac, Range::NotNegative, [&s](double v) { s.Idc = v; },
         "Re-Enter DC Current Value"},
        {texts.ACC, static_cast<double>(s.ACfac), Range::NotNegative, [&s](double v) { s.Iac = v; },
         "Re-Enter AC Current Value"},
        {texts.Freq, s.Ffac, Range::NotNegative, [&s](double v) { s.Fexc = toSingle(v); },
         "Re-Enter Excitation Frequency"},
    };
    for (const Input& input : inputs) {
        if (!readInput(input, locale))
            return std::string(input.message);
    }
    return std::nullopt;
}

}  // namespace

SizingOutcome sizeAreaProduct(DesignState& s, const SpecificationTexts& texts,
                              const NumberLocale& locale) {
    SizingOutcome outcome;
    outcome.message = readInputs(s, texts, locale);
    if (outcome.message)
        return outcome;

    // A failing step is skipped and leaves its target as it was; locals start at 0. With
    // the inputs in range no step is expected to fail short of an overflow.
    StepRunner steps;
    double iacRms = 0;
    double energy = 0;
    float ap = 0;
    const double root3 = checkedSqrt(3.0);
    steps.run([&] { s.Ipk = (Num(s.Iac) / 2 + s.Idc).value(); });
    steps.run([&] { iacRms = ((Num(s.Iac) / 2) / root3).value(); });
    steps.run([&] { s.Irms = sqrt(Num(iacRms) * iacRms + Num(s.Idc) * s.Idc).value(); });
    steps.run([&] { energy = (Num(0.5) * s.Lreq * (Num(s.Ipk) * s.Ipk)).value(); });
    steps.run([&] {
        ap = toSingle(Num(energy) * 2 * 1e8 / (Num(s.Bdes) * s.Jdes * static_cast<double>(s.Ku)));
    });
    steps.run([&] { outcome.apText = formatFixed(ap, 3, locale); });
    outcome.ap = ap;
    return outcome;
}

}  // namespace coilsmith
