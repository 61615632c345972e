#pragma once

#include <cmath>

#include "method/DesignState.h"
#include "method/StateViews.h"

namespace coilsmith::examples {

// The unit factors and list values a new design window starts with (uH, kHz, T, A, A,
// 400 A/cm^2, 0.4: the window-model tests pin them).
inline DesignState freshWindow() {
    return initialDesignState({});
}

// The textbook design the magnetics core is checked against: 100 uH, 5 A DC, 1 A ripple
// on a 1 cm^2, 10 cm path core with 1.5 cm^2 of window and no gap, in a material whose
// fits are flat so that MuEff = 60. The turns search takes nine iterations to 37 turns.
inline DesignState workedExample() {
    DesignState s;
    s.Lreq = 100e-6;
    s.Idc = 5;
    s.Iac = 1;
    s.Ipk = 5.5;
    s.Irms = std::sqrt(std::pow(0.5 / std::sqrt(3.0), 2) + 25);
    s.Jdes = 4e6;
    s.Ku = 0.4f;
    s.Fexc = 50000.0f;
    s.Ac = 1;
    s.Lc = 10;
    s.Wa = 1.5;
    s.Gap = 0;
    s.OD = 1;  // a toroid outline the design checks but does not read: MLT and SurfArea are given
    s.ID = 0.5;
    s.HT = 0.25;
    s.MLT = 5;
    s.Vc = 10;
    s.SurfArea = 30;
    s.MatNo = "-26";
    s.MuInit = 60.0f;
    s.ah = 10000;
    s.ab = 10000;
    s.al = 1e9;
    s.bl = 1.1e8;
    s.cl = 1.9e6;
    s.dl = 1.9e-13f;
    s.Density = 7;
    return s;
}

}  // namespace coilsmith::examples
