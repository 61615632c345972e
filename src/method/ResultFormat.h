#pragma once

#include <optional>
#include <string>

#include "method/DesignComputation.h"
#include "numeric/NumberText.h"

namespace coilsmith {

// The sixteen texts of the results page, named by their boxes. A box whose text cannot be
// formed (a figure out of range, a cost that cannot be read) holds nullopt and keeps the
// text it showed before.
struct DesignResultTexts {
    // Boxes Inductance, EffMu, NTurns, WAWG, DCR, CUL, COL, PTOT, TWT, TRISE, FDmax, FDac, FIdc,
    // CDact, fCore and Price, in that order.
    std::optional<std::string> inductance, effectivePermeability, turns, wireGauge, resistance,
        copperLoss, coreLoss, totalLoss, totalWeight, temperatureRise, peakFluxDensity,
        acFluxDensity, dcField, currentDensity, coreAndMaterial, relativeCost;
    friend bool operator==(const DesignResultTexts&, const DesignResultTexts&) = default;
};

// What the results page, the report, the design file and the command-line tool show of a
// design: every box nullopt for a run that did not complete.
DesignResultTexts resultTexts(const DesignOutcome& outcome, const DesignSelection& selection,
                              const NumberLocale& locale = {});

}  // namespace coilsmith
