#include "method/MaterialModels.h"

#include <array>
#include <string_view>

#include "numeric/Fault.h"

namespace coilsmith {

namespace {

// Materials whose permeability against AC flux was fitted as a polynomial in B and
// sqrt(B) rather than as a rational function; matched as exact text.
constexpr std::array<std::string_view, 5> kPolynomialAcFits = {"-28", "-33", "-38", "-45", "-52"};

bool hasPolynomialAcFit(const std::string& matNo) {
    for (std::string_view no : kPolynomialAcFits) {
        if (matNo == no)
            return true;
    }
    return false;
}

// The fits give percent of initial permeability; the square root is taken of the ratio.
Num biasFactor(const DesignState& s, Num h) {
    const Num ratio = (s.ah + s.ch * h + s.eh * (h * h)) / (Num(1) + s.bh * h + s.dh * (h * h));
    return Num(0.01) * sqrt(ratio);
}

Num acFluxFactor(const DesignState& s, Num b) {
    if (hasPolynomialAcFit(s.MatNo)) {
        return Num(0.01) * (s.ab + s.bb * b + s.cb * sqrt(b) + s.db * (b * b));
    }
    const Num eb = static_cast<double>(s.eb);
    const Num ratio = (s.ab + s.cb * b + eb * (b * b)) / (Num(1) + s.bb * b + s.db * (b * b));
    return Num(0.01) * sqrt(ratio);
}

}  // namespace

void updateEffectivePermeability(DesignState& s) {
    const Num kH = biasFactor(s, s.Hdc);
    const Num kB = acFluxFactor(s, s.Bac);
    s.MuEff = toSingle(Num(static_cast<double>(s.MuInit)) * kH * kB);
}

void updateCoreLossDensity(DesignState& s) {
    const double b = s.Bac;
    const double f = s.Fexc;
    if (b == 0.0) {
        // Every flux-dependent term divides by a power of B, so the loss density goes to
        // 0 with B; only a material without any of those terms has no limit there.
        if (s.al.value() == 0.0 && s.bl.value() == 0.0 && s.cl.value() == 0.0) {
            throw Fault(FaultKind::DivisionByZero);
        }
        s.Pv = 0;
        return;
    }
    const Num t1 = s.al / checkedPow(b, 3);
    const Num t2 = s.bl / checkedPow(b, 2.3);
    const Num t3 = s.cl / checkedPow(b, 1.65);
    const double fSquaredDl = f * f * static_cast<double>(s.dl);
    const float t4 = toSingle(Num(fSquaredDl) * (Num(b) * b));
    s.Pv = (Num(0.001) * (Num(f) / (t1 + t2 + t3) + static_cast<double>(t4))).value();
}

double checkedLog10(double x) {
    return checkedLn(x) / checkedLn(10.0);
}

}  // namespace coilsmith
