#pragma once

#include <optional>
#include <string>
#include <vector>

#include "physics/Geometry.h"
#include "physics/Result.h"

namespace coilsmith::physics {

// Round magnet wire.
struct Wire {
    double bareDiameterM = 0;
    double insulatedDiameterM = 0;   // over the insulation
    double resistance20OhmPerM = 0;  // at 20 °C
};

// What makes a wire unusable (a diameter that is not positive, insulation thinner than
// nothing, a resistance that is not positive), or nothing.
std::optional<Problem> problemOf(const Wire& wire);

// The area π·d²/4 of a circle of diameter d, in the square of d's unit: the section of a
// round wire.
double circleArea(double diameter);

// The copper section π·d²/4.
double bareAreaM2(const Wire& wire);

// The wire table: gauge number (AWG, −3 for 0000) to wire.
struct GaugedWire {
    int awg = 0;
    Wire wire;
};
class WireTable {
  public:
    explicit WireTable(std::vector<GaugedWire> rows) : rows_(std::move(rows)) {}
    // The wire of a gauge, or "AWG 47 is outside the wire table".
    Result<Wire> find(int awg) const;

  private:
    std::vector<GaugedWire> rows_;
};

// The gauge the design method chooses for an rms current at a current density:
// AWG = floor(−9.922·log10(AwReq) − 2.691 + 0.5), AwReq = Irms / J in cm² (a fit of the
// gauge table). A Problem when there is no current, no density or the gauge is absurd.
Result<int> wireGaugeFor(double rmsCurrentA, double currentDensityAPerM2);

// How a winding goes on a core, layer by layer.
struct WindingLayout {
    std::vector<long> turnsPerLayer;  // innermost first; only layers that were laid out
    // The layers wound; for an E-core winding that does not fit, the layers it would need.
    long layers = 0;
    bool fits = false;
    std::string doesNotFitReason;  // when !fits
};

// Windings longer than this are not laid out (a Problem): far beyond any turns search.
inline constexpr long kMaxWoundTurns = 1000000;

// Toroid: layer k on the inner wall holds floor(π·(ID − (2k − 1)·do)/do) turns; the
// winding does not fit when the hole closes before every turn is on.
Result<WindingLayout> windToroid(long turns, double innerDiameterM, double insulatedDiameterM);

// E-core: full layers of floor(g/do) turns across the window height, built outward across
// the window width (d − f)/2; it fits when the build is within the width.
Result<WindingLayout> windECore(long turns, double windowWidthM, double windowHeightM,
                                double insulatedDiameterM);

Result<WindingLayout> wind(long turns, const CoreOutline& outline, double insulatedDiameterM);

// The share of the window the winding takes: N·π·do²/4 ÷ window area.
Result<double> windingFill(long turns, double insulatedDiameterM, double windowAreaM2);

// The length of a turn at the core's surface: toroid 2·((OD − ID)/2 + HT), E-core
// 2·(f + c) around the centre leg.
double innermostTurnM(const ToroidOutline& outline);
double innermostTurnM(const ECoreOutline& outline);
double innermostTurnM(const CoreOutline& outline);

// The turns-weighted mean turn of a winding that fits: a turn of layer k is
// innermost + 8·(k − 0.5)·do long (each layer adds its build on all four sides).
Result<double> woundMeanTurnM(const WindingLayout& layout, double innermostTurnM,
                              double insulatedDiameterM);

}  // namespace coilsmith::physics
