#include "check/CompletedDesignCheck.h"

#include <cmath>
#include <initializer_list>
#include <optional>
#include <utility>

#include "catalogue/Catalogue.h"
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

DesignCheckInput designCheckInput(const DesignState& s, const DesignNumbers& numbers,
                                  const CheckReferences& references, double ambientC) {
    DesignCheckInput in;
    in.requiredInductanceH = s.Lreq;
    in.idcA = s.Idc;
    in.iacPeakToPeakA = s.Iac;
    in.irmsA = s.Irms;
    in.frequencyHz = s.Fexc;
    in.windowUtilisation = s.Ku;
    // A completed design has at most kMaxTurns + 1 turns and a gauge near the table; a
    // count outside these bounds is never laid out.
    const auto turns = roundedCount(numbers.turns, 0, kMostTurnsChecked);
    const auto awg = roundedCount(numbers.wireGauge, -kFarthestGauge, kFarthestGauge);
    in.turns = turns.value_or(0);
    in.awg = static_cast<int>(awg.value_or(0));
    in.shape = s.IsECore ? CoreShape::ECore : CoreShape::Toroid;
    in.outline =
        s.IsECore
            ? CoreOutline{0, 0, 0, plain(s.c_dim), plain(s.d_dim), plain(s.f_dim), plain(s.g_dim)}
            : CoreOutline{plain(s.OD), plain(s.ID), plain(s.HT), 0, 0, 0, 0};
    in.acCm2 = plain(s.Ac);
    in.lcCm = plain(s.Lc);
    in.gapMm = plain(s.Gap);
    in.windowAreaCm2 = plain(s.Wa);
    in.surfaceAreaCm2 = plain(s.SurfArea);
    in.material = s.MatNo;
    in.muInitial = s.MuInit;
    in.coreLossW = numbers.coreLossW;
    in.designTempRiseC = numbers.temperatureRiseC;
    in.ambientC = ambientC;
    in.specifiedFluxDensityT = s.Bdes;
    in.peakFluxDensityT = numbers.peakFluxDensityT;

    // Each part needs only its own table: the bias curve, or the wire row.
    std::optional<std::string> curveProblem = references.problem;
    std::optional<std::string> wireProblem = references.problem;
    if (references.tables) {
        in.biasCurve = references.tables->biasCurve(s.MatNo);
        curveProblem = references.tables->biasCurveProblem(s.MatNo);
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

    in.inductanceDataProblem = firstOf(
        firstProblem({{"AC", s.Ac}, {"LC", s.Lc}, {"MuInit", single(s.MuInit)}}, Need::Positive),
        firstProblem({{"GAP", s.Gap}}, Need::NotNegative), curveProblem);
    in.windingDataProblem =
        s.IsECore
            ? firstOf(
                  firstProblem(
                      {{"WC", s.Wa}, {"d_dim", s.d_dim}, {"f_dim", s.f_dim}, {"g_dim", s.g_dim}},
                      Need::Positive),
                  wireProblem)
            : firstOf(firstProblem({{"window area", s.Wa}, {"ID", s.ID}}, Need::Positive),
                      wireProblem);
    in.copperDataProblem =
        s.IsECore ? firstProblem({{"c_dim", s.c_dim}, {"surface area", s.SurfArea}}, Need::Positive)
                  : firstProblem({{"OD", s.OD}, {"HT", s.HT}, {"surface area", s.SurfArea}},
                                 Need::Positive);
    return in;
}

}  // namespace coilsmith
