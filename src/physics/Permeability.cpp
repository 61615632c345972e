#include "physics/Permeability.h"

#include <cmath>
#include <string>

#include "physics/Constants.h"

namespace coilsmith::physics {

namespace {

Result<double> rootOfRatio(double numerator, double denominator, const char* fit) {
    const double ratio = numerator / denominator;
    if (denominator == 0 || !std::isfinite(ratio) || ratio < 0)
        return problem(std::string("the ") + fit + " fit has no real value here");
    return kFractionPerPercent * std::sqrt(ratio);
}

}  // namespace

std::optional<Problem> problemOf(const BiasCurve& c) {
    if (!(std::isfinite(c.offset) && c.offset > 0))
        return problem("the bias curve's a is not a positive number");
    if (!(std::isfinite(c.fieldFactor) && c.fieldFactor >= 0))
        return problem("the bias curve's b is negative or not a number");
    if (!(std::isfinite(c.fieldExponent) && c.fieldExponent > 0))
        return problem("the bias curve's c is not a positive number");
    return std::nullopt;
}

double biasPercent(const BiasCurve& curve, double fieldOe) {
    return 1 /
           (curve.offset + curve.fieldFactor * std::pow(std::fabs(fieldOe), curve.fieldExponent));
}

Result<double> fittedBiasFactor(const FittedBiasFactor& f, double h) {
    return rootOfRatio(f.numeratorConstant + f.numeratorLinear * h + f.numeratorSquare * (h * h),
                       1 + f.denominatorLinear * h + f.denominatorSquare * (h * h), "DC-bias");
}

Result<double> fittedFluxFactor(const FittedFluxFactor& fit, double b) {
    if (const auto* r = std::get_if<RationalFluxFactor>(&fit))
        return rootOfRatio(
            r->numeratorConstant + r->numeratorLinear * b + r->numeratorSquare * (b * b),
            1 + r->denominatorLinear * b + r->denominatorSquare * (b * b), "AC-flux");
    const auto& p = std::get<PolynomialFluxFactor>(fit);
    if (!(b >= 0))
        return problem("the AC-flux fit needs a flux density that is not negative");
    const double factor = kFractionPerPercent * (p.constant + p.linear * b +
                                                 p.squareRoot * std::sqrt(b) + p.square * (b * b));
    if (!std::isfinite(factor))
        return problem("the AC-flux fit has no finite value here");
    return factor;
}

}  // namespace coilsmith::physics
