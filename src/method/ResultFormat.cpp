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
    t.Inductance = sel.ldesText + "  " + sel.lunitText;
    t.NTurns = shown([&] { return formatNumber(n.N, locale); });
    t.WAWG = shown([&] { return formatNumber(n.AWG, locale); });
    if (const auto milliohms = fixed(kMilliohmsPerOhm * n.Rdc, 2))
        t.DCR = *milliohms + "  mOhms";
    t.CUL = fixed(n.Pcu, 2);
    t.COL = fixed(n.Pcore, 2);
    t.PTOT = fixed(n.Ptot, 2);
    t.TWT = fixed(n.Wtot, 2);
    t.TRISE = fixed(n.Trise, 1);
    t.FDmax = fixed(n.Bmax, 3);
    t.FDac = fixed(n.bacTesla(), 4);
    t.FIdc = fixed(n.hdcAmperesPerCm(), 2);
    t.CDact = fixed(n.Jact, 0);
    t.EffMu = fixed(n.MuEff, 1);
    t.fCore = sel.coreText + sel.coreMatText;
    if (sel.cost)
        t.Price = shown([&] { return sel.cost->toText(locale); });
    return t;
}

}  // namespace coilsmith
