#include "magnetics/Sizing.h"

#include <functional>

#include "magnetics/Fault.h"
#include "magnetics/StepRunner.h"

namespace coilsmith {

namespace {

// Typed text times its unit factor, or nullopt when the text is not a number or the
// product overflows.
std::optional<double> scaledInput(const std::string& text, double factor,
                                  const NumberLocale& locale) {
    const auto number = parseNumber(text, locale);
    if (!number)
        return std::nullopt;
    try {
        return (Num(*number) * factor).value();
    } catch (const Fault&) {
        return std::nullopt;
    }
}

// Reads the five inputs in their fixed order; an input that fails leaves its own field
// as it was while the fields read before it keep their new values.
std::optional<std::string> readInputs(DesignState& s, const SpecificationTexts& texts,
                                      const NumberLocale& locale) {
    struct Input {
        const std::string& text;
        double factor;
        std::function<bool(double)> store;
        const char* message;
    };
    const Input inputs[] = {
        {texts.Ldes, s.Lfac, [&s](double v) { return s.Lreq = v, true; },
         "Re-Enter Inductance Value"},
        {texts.FD, s.Bfac, [&s](double v) { return s.Bdes = v, true; },
         "Re-Enter Flux Density value Value"},
        {texts.DCC, s.DCfac, [&s](double v) { return s.Idc = v, true; },
         "Re-Enter DC Current Value"},
        {texts.ACC, static_cast<double>(s.ACfac), [&s](double v) { return s.Iac = v, true; },
         "Re-Enter AC Current Value"},
        {texts.Freq, s.Ffac,
         [&s](double v) {
             try {
                 s.Fexc = toSingle(v);
                 return true;
             } catch (const Fault&) {
                 return false;
             }
         },
         "Re-Enter Excitation Frequency"},
    };
    for (const Input& input : inputs) {
        const auto value = scaledInput(input.text, input.factor, locale);
        if (!value || !input.store(*value))
            return std::string(input.message);
    }
    return std::nullopt;
}

}  // namespace

SizingOutcome calculateAreaProduct(DesignState& s, const SpecificationTexts& texts,
                                   const NumberLocale& locale) {
    SizingOutcome outcome;
    outcome.message = readInputs(s, texts, locale);
    if (outcome.message)
        return outcome;

    // A failing step is skipped and leaves its target as it was; locals start at 0.
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
