#pragma once

#include "method/DesignState.h"

namespace coilsmith {

// Curve fits of the selected material. Both take oersted and gauss, throw Fault on any
// arithmetic fault and then leave their target unchanged.

// Effective permeability at (state.Hdc, state.Bac): MuInit times the DC-bias factor times
// the AC-flux factor; sets state.MuEff (single precision).
void updateEffectivePermeability(DesignState& state);

// Core-loss density at (state.Bac, state.Fexc) in W/cm^3; sets state.Pv. Zero AC flux
// gives 0, the limit of the fit, unless the material has no flux-dependent terms at all.
void updateCoreLossDensity(DesignState& state);

// Base-10 logarithm as ln(x) / ln(10); Fault for x <= 0.
double checkedLog10(double x);

}  // namespace coilsmith
