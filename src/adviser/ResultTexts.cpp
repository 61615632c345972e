#include "adviser/ResultTexts.h"

namespace coilsmith::adviser {

ResultTexts resultTexts(const Candidate& c, const NumberLocale& locale) {
    const auto fixed = [&locale](double value, int decimals) {
        return formatFixed(value, decimals, locale);
    };
    ResultTexts t;
    t.EffMu = fixed(c.muEff, 1);
    t.NTurns = formatNumber(c.turns, locale);
    t.WAWG = formatNumber(c.awg, locale);
    t.DCR = fixed(1000 * c.rdc, 2) + "  mOhms";
    t.CUL = fixed(c.copperLoss, 2);
    t.COL = fixed(c.coreLoss, 2);
    t.PTOT = fixed(c.totalLoss, 2);
    t.TWT = fixed(c.totalWeight, 2);
    t.TRISE = fixed(c.tempRise, 1);
    t.FDmax = fixed(c.bmax, 3);
    t.FDac = fixed(c.bac, 4);
    t.FIdc = fixed(c.hdc, 2);
    t.CDact = fixed(c.currentDensity, 0);
    t.Price = c.costText;
    return t;
}

}  // namespace coilsmith::adviser
