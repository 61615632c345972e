#pragma once

#include <string>

#include "adviser/Candidate.h"
#include "magnetics/NumberText.h"

namespace coilsmith::adviser {

// A candidate's results as the "Design Results" page shows them, box by box.
struct ResultTexts {
    std::string EffMu, NTurns, WAWG, DCR, CUL, COL, PTOT, TWT, TRISE, FDmax, FDac, FIdc, CDact,
        Price;
};

ResultTexts resultTexts(const Candidate& candidate, const NumberLocale& locale = {});

}  // namespace coilsmith::adviser
