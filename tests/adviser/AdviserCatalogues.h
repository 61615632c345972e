#pragma once

#include <string>

#include "CsxBuilder.h"
#include "TempCatalogue.h"
#include "adviser/AdviserEngine.h"
#include "fakes/FakePrompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::test {

// The catalogue beside the executables.
std::string shippedCatalogue();

// A material whose permeability stays at 60 at any operating point.
std::string flatMaterial(const std::string& matNo, double density, double cost);

// Cores made to fail in one way each, for the default specification (min. AP 2.363):
//   BIG (feasible), BIG2 (feasible, larger), SMALL (AP too small), BMAX (Bmax above
//   limit), FULL (window overfull), ZERO (a zero path length),
//   toroid TBIG (feasible), TNOHT (TBIG without a height: designs to no winding
//   resistance unless refused); materials M60, M60B (M60's twin) and MB (lighter, cheaper).
csx::CsvTables reasonTables();

// A design window on `catalogue` with the specification typed and "Calculate AP" done.
// The texts of the boxes Ldes, Lunit, DCC, ACC, Freq, FD, CurD and WU.
struct SpecTexts {
    std::string inductance = "25", inductanceUnit = "uH", dcCurrent = "25", rippleCurrent = "5",
                frequency = "50", fluxDensity = "0.5", currentDensity = "400",
                windowUtilisation = "0.4";
};
ChokeModel specifiedWindow(const std::string& catalogue, Prompter& prompter,
                           const SpecTexts& spec = {}, const NumberLocale& locale = {});

// The adviser on the window's sized specification and catalogue.
adviser::Ranking rankWindow(const ChokeModel& window, const adviser::AdviserOptions& options = {});

}  // namespace coilsmith::test
