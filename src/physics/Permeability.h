#pragma once

#include <optional>
#include <variant>

#include "physics/Result.h"

namespace coilsmith::physics {

// The permeability models of a powder mix. The makers publish their curve fits with H in
// oersted and B in gauss, so these functions take those units (named in the argument).

// The maker's published DC-bias curve: %µ(H) = 1 / (a + b·H^c), percent of the initial
// permeability, H in oersted. At H = 0 it gives 1/a (100 % for a = 0.01).
struct BiasCurve {
    double offset = 0;         // a
    double fieldFactor = 0;    // b, Oe^-c
    double fieldExponent = 0;  // c
};

// What makes a curve unusable: a must be positive, b not negative, c positive, all finite
// (so the percentage is finite and falls with the field).
std::optional<Problem> problemOf(const BiasCurve& curve);

// %µ at the field magnitude |H| (the curve is even in H). Only for a curve without a
// problem; the result is then finite and positive.
double biasPercent(const BiasCurve& curve, double fieldOe);

// The catalogue's fitted DC-bias factor, a fraction of the initial permeability:
// kH = 0.01·√((a + c·H + e·H²) / (1 + b·H + d·H²)), H in oersted.
struct FittedBiasFactor {
    double numeratorConstant = 0;  // ah
    double denominatorLinear = 0;  // bh
    double numeratorLinear = 0;    // ch
    double denominatorSquare = 0;  // dh
    double numeratorSquare = 0;    // eh
};

// The catalogue's fitted AC-flux factor, B the peak AC flux density in gauss. Most mixes
// take a rational form kB = 0.01·√((a + c·B + e·B²) / (1 + b·B + d·B²)) ...
struct RationalFluxFactor {
    double numeratorConstant = 0;  // ab
    double denominatorLinear = 0;  // bb
    double numeratorLinear = 0;    // cb
    double denominatorSquare = 0;  // db
    double numeratorSquare = 0;    // eb
};
// ... and some a polynomial in B and √B: kB = 0.01·(a + b·B + c·√B + d·B²).
struct PolynomialFluxFactor {
    double constant = 0;    // ab
    double linear = 0;      // bb
    double squareRoot = 0;  // cb
    double square = 0;      // db
};
using FittedFluxFactor = std::variant<RationalFluxFactor, PolynomialFluxFactor>;

// The factors, or a Problem where the fit has no real value (a negative ratio under the
// root, a zero denominator, a negative B).
Result<double> fittedBiasFactor(const FittedBiasFactor& fit, double fieldOe);
Result<double> fittedFluxFactor(const FittedFluxFactor& fit, double fluxDensityGauss);

}  // namespace coilsmith::physics
