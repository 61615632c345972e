#pragma once

#include <optional>
#include <variant>

#include "physics/Result.h"

namespace coilsmith::physics {

// Toroid outline: the finished (coated) sizes.
struct ToroidOutline {
    double outerDiameterM = 0;
    double innerDiameterM = 0;
    double heightM = 0;
};

// An assembled pair of E halves, with the catalogue's drawing letters.
struct ECoreOutline {
    double overallWidthM = 0;    // a: across the outer legs
    double overallHeightM = 0;   // b: of the assembled pair
    double stackDepthM = 0;      // c: thickness of the core
    double innerSpanM = 0;       // d: between the two outer legs
    double centreLegWidthM = 0;  // f
    double windowHeightM = 0;    // g: of the assembled pair
};

using CoreOutline = std::variant<ToroidOutline, ECoreOutline>;

// The magnetic data of a core as the maker gives them.
struct MagneticCore {
    double crossSectionM2 = 0;  // effective Ac
    double pathLengthM = 0;     // effective lc
    double volumeM3 = 0;        // effective Vc
    double windowAreaM2 = 0;    // the winding window (toroid: the hole; E-core: one side)
    double gapM = 0;
};

// What makes an outline or core unusable ("the inner diameter is not below the outer
// diameter"), or nothing.
std::optional<Problem> problemOf(const ToroidOutline& outline);
std::optional<Problem> problemOf(const ECoreOutline& outline);
std::optional<Problem> problemOf(const CoreOutline& outline);
std::optional<Problem> problemOf(const MagneticCore& core);
// What makes the magnetic path unusable for an inductance: the cross-section, path length
// and gap alone.
std::optional<Problem> magneticPathProblem(const MagneticCore& core);

// coreCount identical cores side by side: a toroid grows in height, an E-core in depth;
// the section and volume grow with the count, path length, window and gap stay. A count
// below 1 is a Problem.
Result<ToroidOutline> stacked(const ToroidOutline& outline, int coreCount);
Result<ECoreOutline> stacked(const ECoreOutline& outline, int coreCount);
Result<CoreOutline> stacked(const CoreOutline& outline, int coreCount);
Result<MagneticCore> stacked(const MagneticCore& core, int coreCount);

// The outer surface that sheds the heat: toroid π((OD² − ID²)/2 + (OD + ID)·HT); E-core
// the bounding box 2(ab + ac + bc).
double outerSurfaceM2(const ToroidOutline& outline);
double outerSurfaceM2(const ECoreOutline& outline);
double outerSurfaceM2(const CoreOutline& outline);

// The winding window: the toroid's hole π·ID²/4; the E-core's window on one side of the
// centre leg, (d − f)/2 wide and g high.
double windowAreaM2(const ToroidOutline& outline);
double windowAreaM2(const ECoreOutline& outline);
double windowWidthM(const ECoreOutline& outline);
double windowHeightM(const ECoreOutline& outline);

}  // namespace coilsmith::physics
