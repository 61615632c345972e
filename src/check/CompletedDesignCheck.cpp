#include "check/CompletedDesignCheck.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

#include "catalogue/Catalogue.h"
#include "method/StateViews.h"
#include "numeric/NumberText.h"

namespace coilsmith {

namespace {

enum class Need { Positive, NotNegative };

constexpr long kMostTurnsChecked = 10 * static_cast<long>(kMaxTurns);
constexpr long kFarthestGauge = 10'000;

using NamedValue = std::pair<const char*, Num>;

// The first value the check cannot use, named: "d_dim is empty or not a number".
std::optional<std::string> firstProblem(std::initializer_list<NamedValue> values, Need need) {
    for (const auto& [name, value] : values) {
        if (value.isNull())
            return std::string(name) + " is empty or not a number";
        const double v = value.value();
        if (!std::isfinite(v))
            return std::string(name) + " is not finite";
        if (need == Need::Positive && !(v > 0))
            return std::string(name) + " is not positive";
        if (need == Need::NotNegative && v < 0)
            return std::string(name) + " is negative";
    }
    return std::nullopt;
}

template <class... Problems>
std::optional<std::string> firstOf(Problems&&... problems) {
    std::optional<std::string> first;
    ((first ? void() : void(first = std::forward<Problems>(problems))), ...);
    return first;
}

// A catalogue value as a plain number; 0 for an empty one (its part is then unavailable).
double plain(Num value) {
    return value.isNull() ? 0 : value.value();
}

Num single(float value) {
    return static_cast<double>(value);
}

}  // namespace

CheckReferences CheckReferences::load(const std::string& catalogueFile) {
    return {std::make_shared<const ReferenceTables>(ReferenceTables::load(catalogueFile)), {}};
}

DesignCheckInput designCheckInput(const DesignState& state, const DesignNumbers& numbers,
                                  const CheckReferences& references, double ambientC) {
    const SpecificationView spec = specificationView(state);
    const CoreView core = coreView(state);
    const MaterialView material = materialView(state);
    DesignCheckInput in;
    in.requiredInductanceH = spec.requiredInductanceH;
    in.idcA = spec.dcCurrentA;
    in.iacPeakToPeakA = spec.ripplePeakToPeakA;
    in.irmsA = spec.rmsCurrentA;
    in.frequencyHz = spec.frequencyHz;
    in.windowUtilisation = spec.windowUtilisation;
    // A completed design has at most kMaxTurns + 1 turns and a gauge near the table; a
    // count outside these bounds is never laid out.
    const auto turns = roundedCount(numbers.turns, 0, kMostTurnsChecked);
    const auto awg = roundedCount(numbers.wireGauge, -kFarthestGauge, kFarthestGauge);
    in.turns = turns.value_or(0);
    in.awg = static_cast<int>(awg.value_or(0));
    in.shape = core.isECore ? CoreShape::ECore : CoreShape::Toroid;
    in.outline = core.isECore ? CoreOutline{.c = plain(core.stackDepthIn),
                                            .d = plain(core.innerSpanIn),
                                            .f = plain(core.centreLegWidthIn),
                                            .g = plain(core.windowHeightIn)}
                              : CoreOutline{.od = plain(core.outerDiameterIn),
                                            .id = plain(core.innerDiameterIn),
                                            .ht = plain(core.heightIn)};
    in.acCm2 = plain(core.crossSectionCm2);
    in.lcCm = plain(core.pathLengthCm);
    in.gapMm = plain(core.gapMm);
    in.windowAreaCm2 = plain(core.windowAreaCm2);
    in.surfaceAreaCm2 = plain(core.surfaceAreaCm2);
    in.material = material.name;
    in.muInitial = material.initialPermeability;
    in.coreLossW = numbers.coreLossW;
    in.designTempRiseC = numbers.temperatureRiseC;
    in.ambientC = ambientC;
    in.specifiedFluxDensityT = spec.fluxDensityT;
    in.peakFluxDensityT = numbers.peakFluxDensityT;

    // Each part needs only its own table: the bias curve, or the wire row.
    std::optional<std::string> curveProblem = references.problem;
    std::optional<std::string> wireProblem = references.problem;
    if (references.tables) {
        in.biasCurve = references.tables->biasCurve(material.name);
        curveProblem = references.tables->biasCurveProblem(material.name);
        if (awg) {
            in.wire = references.tables->wire(in.awg);
            wireProblem = references.tables->wireProblem(in.awg);
        }
    }
    if (!awg) {
        wireProblem =
            "the design's gauge (" + formatNumber(numbers.wireGauge) + ") is out of range";
    }
    if (!turns) {
        curveProblem = wireProblem =
            "the design's turns (" + formatNumber(numbers.turns) + ") are out of range";
    }

    // The problems name the values as the catalogue's columns do.
    in.inductanceDataProblem =
        firstOf(firstProblem({{"AC", core.crossSectionCm2},
                              {"LC", core.pathLengthCm},
                              {"MuInit", single(material.initialPermeability)}},
                             Need::Positive),
                firstProblem({{"GAP", core.gapMm}}, Need::NotNegative), curveProblem);
    in.windingDataProblem =
        core.isECore
            ? firstOf(firstProblem({{"WC", core.windowAreaCm2},
                                    {"d_dim", core.innerSpanIn},
                                    {"f_dim", core.centreLegWidthIn},
                                    {"g_dim", core.windowHeightIn}},
                                   Need::Positive),
                      wireProblem)
            : firstOf(
                  firstProblem({{"window area", core.windowAreaCm2}, {"ID", core.innerDiameterIn}},
                               Need::Positive),
                  wireProblem);
    in.copperDataProblem =
        core.isECore
            ? firstProblem({{"c_dim", core.stackDepthIn}, {"surface area", core.surfaceAreaCm2}},
                           Need::Positive)
            : firstProblem({{"OD", core.outerDiameterIn},
                            {"HT", core.heightIn},
                            {"surface area", core.surfaceAreaCm2}},
                           Need::Positive);
    return in;
}

}  // namespace coilsmith
