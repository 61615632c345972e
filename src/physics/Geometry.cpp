#include "physics/Geometry.h"

#include <cmath>
#include <string>

#include "physics/Constants.h"

namespace coilsmith::physics {

namespace {

std::optional<Problem> notPositive(double value, const char* what) {
    if (std::isfinite(value) && value > 0)
        return std::nullopt;
    return problem(std::string("the ") + what + " is not a positive number");
}

std::optional<Problem> firstOf(std::initializer_list<std::optional<Problem>> problems) {
    for (const auto& p : problems)
        if (p)
            return p;
    return std::nullopt;
}

Result<int> checkedCount(int coreCount) {
    if (coreCount < 1)
        return problem("a stack needs at least one core, not " + std::to_string(coreCount));
    return coreCount;
}

}  // namespace

std::optional<Problem> problemOf(const ToroidOutline& o) {
    if (auto p = firstOf({notPositive(o.outerDiameterM, "outer diameter"),
                          notPositive(o.innerDiameterM, "inner diameter"),
                          notPositive(o.heightM, "height")}))
        return p;
    if (!(o.innerDiameterM < o.outerDiameterM))
        return problem("the inner diameter is not below the outer diameter");
    return std::nullopt;
}

std::optional<Problem> problemOf(const ECoreOutline& o) {
    if (auto p = firstOf({notPositive(o.overallWidthM, "overall width"),
                          notPositive(o.overallHeightM, "overall height"),
                          notPositive(o.stackDepthM, "stack depth"),
                          notPositive(o.innerSpanM, "inner span"),
                          notPositive(o.centreLegWidthM, "centre leg width"),
                          notPositive(o.windowHeightM, "window height")}))
        return p;
    if (!(o.centreLegWidthM < o.innerSpanM))
        return problem("the centre leg is not narrower than the inner span");
    if (!(o.innerSpanM < o.overallWidthM))
        return problem("the inner span is not below the overall width");
    if (!(o.windowHeightM < o.overallHeightM))
        return problem("the window height is not below the overall height");
    return std::nullopt;
}

std::optional<Problem> problemOf(const CoreOutline& outline) {
    return std::visit([](const auto& o) { return problemOf(o); }, outline);
}

std::optional<Problem> magneticPathProblem(const MagneticCore& c) {
    if (auto p = firstOf({notPositive(c.crossSectionM2, "cross-section"),
                          notPositive(c.pathLengthM, "magnetic path length")}))
        return p;
    if (!std::isfinite(c.gapM) || c.gapM < 0)
        return problem("the gap is negative or not a number");
    return std::nullopt;
}

std::optional<Problem> problemOf(const MagneticCore& c) {
    return firstOf({magneticPathProblem(c), notPositive(c.volumeM3, "core volume"),
                    notPositive(c.windowAreaM2, "window area")});
}

Result<ToroidOutline> stacked(const ToroidOutline& outline, int coreCount) {
    const Result<int> k = checkedCount(coreCount);
    if (!k)
        return k.problem();
    ToroidOutline out = outline;
    out.heightM *= *k;
    return out;
}

Result<ECoreOutline> stacked(const ECoreOutline& outline, int coreCount) {
    const Result<int> k = checkedCount(coreCount);
    if (!k)
        return k.problem();
    ECoreOutline out = outline;
    out.stackDepthM *= *k;
    return out;
}

Result<CoreOutline> stacked(const CoreOutline& outline, int coreCount) {
    return std::visit(
        [coreCount](const auto& o) -> Result<CoreOutline> {
            auto s = stacked(o, coreCount);
            if (!s)
                return s.problem();
            return CoreOutline(*s);
        },
        outline);
}

Result<MagneticCore> stacked(const MagneticCore& core, int coreCount) {
    const Result<int> k = checkedCount(coreCount);
    if (!k)
        return k.problem();
    MagneticCore out = core;
    out.crossSectionM2 *= *k;
    out.volumeM3 *= *k;
    return out;
}

double outerSurfaceM2(const ToroidOutline& o) {
    const double od = o.outerDiameterM;
    const double id = o.innerDiameterM;
    return kPi * ((od * od - id * id) / 2 + (od + id) * o.heightM);
}

double outerSurfaceM2(const ECoreOutline& o) {
    const double a = o.overallWidthM;
    const double b = o.overallHeightM;
    const double c = o.stackDepthM;
    return 2 * (a * b + a * c + b * c);
}

double outerSurfaceM2(const CoreOutline& outline) {
    return std::visit([](const auto& o) { return outerSurfaceM2(o); }, outline);
}

double windowAreaM2(const ToroidOutline& o) {
    return kPi * o.innerDiameterM * o.innerDiameterM / 4;
}

double windowAreaM2(const ECoreOutline& o) {
    return windowWidthM(o) * windowHeightM(o);
}

double windowWidthM(const ECoreOutline& o) {
    return (o.innerSpanM - o.centreLegWidthM) / 2;
}

double windowHeightM(const ECoreOutline& o) {
    return o.windowHeightM;
}

}  // namespace coilsmith::physics
