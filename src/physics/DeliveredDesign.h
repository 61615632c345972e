#pragma once

#include <optional>
#include <string>
#include <vector>

#include "physics/CoreLoss.h"
#include "physics/Geometry.h"
#include "physics/Permeability.h"
#include "physics/Verdicts.h"
#include "physics/Winding.h"

namespace coilsmith::physics {

// The delivered design: on a stack of one to three identical cores, the fewest turns that
// really give the required inductance at full DC current by the maker's published curve,
// wound with the method's own gauge, with the real layer build, Dowell's AC loss over the
// ripple's harmonics, the core loss, the copper settled at its hot temperature and the true
// weights; and the five verdicts on it.

struct ChokeSpecification {
    double requiredInductanceH = 0;
    double dcCurrentA = 0;
    double ripplePeakToPeakA = 0;
    double rmsCurrentA = 0;  // chooses the gauge
    double frequencyHz = 0;
    double currentDensityAPerM2 = 0;
    double windowUtilisation = 0;  // Ku: the largest fill allowed
};

// One core as the catalogue gives it (not stacked).
struct Core {
    std::string name;
    CoreOutline outline;
    MagneticCore magnetic;
};

struct Material {
    std::string name;
    double initialPermeability = 0;
    std::optional<BiasCurve> biasCurve;  // empty: the maker publishes none
    CoreLossFit loss;
    double densityKgPerM3 = 0;
    double relativeCost = 0;
};

inline constexpr int kMaxStackedCores = 3;
// The ambient the designs are compared at unless another is given.
inline constexpr double kRoomAmbientC = 25;

struct DeliveredDesignInput {
    ChokeSpecification specification;
    Core core;
    Material material;
    double ambientC = kRoomAmbientC;
    double temperatureLimitC = kIronPowderTemperatureLimitC;
};

struct DeliveredInductance {
    long turns = 0;
    double atZeroH = 0, atIdcH = 0, atIpkH = 0;
    double atZeroPercent = 0, atIdcPercent = 0, atIpkPercent = 0;  // of the required L
};

struct DeliveredCore {
    double acFluxDensityT = 0;  // L_req·ΔI / (2·N·Ac), on the stacked section
    double lossW = 0;           // the material's loss density times the stacked volume
    double weightKg = 0;        // of the stack
};

struct DeliveredWinding {
    int awg = 0;
    Wire wire;
    WindingLayout layout;
    double fill = 0;    // N·π·do²/4 ÷ window
    bool fits = false;  // laid out in the window and the fill within Ku
    std::string doesNotFitReason;
};

struct DeliveredCopper {
    double woundMeanTurnM = 0;
    double resistance20Ohm = 0;
    double resistanceHotOhm = 0;
    double fundamentalFr = 1;  // at the hot temperature
    double copperLossDcW = 0;
    double copperLossAcW = 0;
    double totalLossHotW = 0;  // copper (hot) + core
    double temperatureRiseHotC = 0;
    double hotTemperatureC = 0;
    int rounds = 0;
    bool runaway = false;
    double copperWeightKg = 0;  // wound mean turn · N · bare area · copper density
    double totalWeightKg = 0;   // copper + stacked core
};

struct DeliveredDesign {
    int stackCount = 1;
    bool reachable = false;  // some N reaches the required L at Idc
    bool fits = false;       // the winding goes on and the fill is within Ku
    // Each part is empty when it could not be had; `problem` then says why the design is
    // unavailable (a missing bias curve, a gauge outside the wire table, unreachable L …).
    std::optional<DeliveredInductance> inductance;
    std::optional<DeliveredCore> core;
    std::optional<DeliveredWinding> winding;
    std::optional<DeliveredCopper> copper;
    std::optional<std::string> problem;
    std::vector<Verdict> verdicts;  // L at Idc, L at Ipk, Winding fits, Fill, Hot temperature

    // Reaches L, fits, and no verdict fails or is unavailable.
    bool passes() const noexcept;
};

// The delivered design on stackCount (1 … kMaxStackedCores) cores.
DeliveredDesign deliverDesign(const DeliveredDesignInput& input, const WireTable& wires,
                              int stackCount);

// The delivered design on the fewest cores (1 … maxStackCount) that passes; empty when none.
std::optional<DeliveredDesign> smallestPassingStack(const DeliveredDesignInput& input,
                                                    const WireTable& wires,
                                                    int maxStackCount = kMaxStackedCores);

}  // namespace coilsmith::physics
