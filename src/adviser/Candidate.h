#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "method/ResultFormat.h"

namespace coilsmith::adviser {

enum class CoreType { ECore, Toroid };

// The caption of the window's option button for the type: "E-core" or "Toroid".
std::string_view coreTypeName(CoreType type) noexcept;
// The model's name of that option button: "ECore" or "Toroid".
std::string_view coreTypeOption(CoreType type) noexcept;

// Why a design that ran is still not advised.
inline constexpr std::string_view kApTooSmall = "AP too small";
inline constexpr std::string_view kBmaxAboveLimit = "Bmax above limit";
inline constexpr std::string_view kWindowOverfull = "window overfull";
inline constexpr std::string_view kTooHot = "too hot";

// One core and material of the catalogue, designed for the current specification exactly
// as the design window designs it when the engineer picks them by hand.
struct Candidate {
    CoreType type = CoreType::ECore;
    std::string core;
    std::string material;

    bool completed = false;  // the design ran through to its results
    bool feasible = false;
    bool pareto = false;  // no feasible candidate is both lighter and less lossy
    int rank = 0;         // 1 for the best feasible candidate; 0 when not feasible
    std::string reason;   // empty when feasible: the window's message or one of the above

    // The design's results, unrounded, in the units of the results page. Zero when the
    // design did not complete.
    double turns = 0;
    double awg = 0;
    double rdc = 0;  // ohm (the page shows milliohm)
    double copperLoss = 0;
    double coreLoss = 0;
    double totalLoss = 0;       // W
    double totalWeight = 0;     // g
    double tempRise = 0;        // deg C
    double bmax = 0;            // T
    double bac = 0;             // T, as "Bac (T)"
    double hdc = 0;             // A/cm, as "Hdc (A/cm)"
    double currentDensity = 0;  // A/cm^2
    double muEff = 0;
    std::optional<double> cost;  // the material's relative cost, when it is a number
    // The results page's texts in the neutral locale, "Relative Cost" in the window's.
    // Every box nullopt when the design did not complete.
    DesignResultTexts texts;

    std::optional<double> coreAP;    // cm^4, the window area times the cross-section
    std::optional<double> apMargin;  // core AP over the minimum AP, as a ratio
    std::optional<double> volume;    // core volume, cm^3
    std::optional<double> fill;      // turns times bare wire area over window area

    // The design check of a completed design: L at Idc in % of the required L on the
    // published bias curve, the insulated wire's fill of the window, the rise of the hot
    // copper; each empty when its part of the check is unavailable.
    std::optional<double> lIdcPercent;
    std::optional<double> woundFill;
    std::optional<double> hotRise;  // deg C
    bool checkPassed = false;       // no verdict fails and none is unavailable

    // A delivered design (see DeliveredCandidates.h): the cores stacked; empty for the
    // method's own design.
    std::optional<int> stackCount;

    friend bool operator==(const Candidate&, const Candidate&) = default;
};

}  // namespace coilsmith::adviser
