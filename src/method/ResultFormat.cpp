#include "method/ResultFormat.h"

#include "numeric/Fault.h"

namespace coilsmith {

namespace {

// The text a formatting step gives, or nullopt when it faults.
template <class Format>
std::optional<std::string> shown(Format&& format) {
    try {
        return format();
    } catch (const Fault&) {
        return std::nullopt;
    }
}

}  // namespace

DesignResultTexts resultTexts(const DesignOutcome& outcome, const DesignSelection& sel,
                              const NumberLocale& locale) {
    if (!outcome.completed())
        return {};
    const DesignNumbers& n = outcome.numbers;
    const auto fixed = [&locale](double value, int decimals) {
        return shown([&] { return formatFixed(value, decimals, locale); });
    };
    DesignResultTexts t;
    t.inductance = sel.inductanceText + "  " + sel.inductanceUnitText;
    t.turns = shown([&] { return formatNumber(n.turns, locale); });
    t.wireGauge = shown([&] { return formatNumber(n.wireGauge, locale); });
    if (const auto milliohms = fixed(kMilliohmsPerOhm * n.resistanceOhm, 2))
        t.resistance = *milliohms + "  mOhms";
    t.copperLoss = fixed(n.copperLossW, 2);
    t.coreLoss = fixed(n.coreLossW, 2);
    t.totalLoss = fixed(n.totalLossW, 2);
    t.totalWeight = fixed(n.totalWeightG, 2);
    t.temperatureRise = fixed(n.temperatureRiseC, 1);
    t.peakFluxDensity = fixed(n.peakFluxDensityT, 3);
    t.acFluxDensity = fixed(n.acFluxDensityT(), 4);
    t.dcField = fixed(n.dcFieldAPerCm(), 2);
    t.currentDensity = fixed(n.currentDensityAPerCm2, 0);
    t.effectivePermeability = fixed(n.effectivePermeability, 1);
    t.coreAndMaterial = sel.coreText + sel.materialText;
    if (sel.cost)
        t.relativeCost = shown([&] { return sel.cost->toText(locale); });
    return t;
}

}  // namespace coilsmith
