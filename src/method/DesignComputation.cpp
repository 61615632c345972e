#include "method/DesignComputation.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "method/MaterialModels.h"
#include "method/MethodConstants.h"
#include "numeric/Fault.h"
#include "numeric/StepRunner.h"
#include "physics/Winding.h"

namespace coilsmith {

namespace {

// What is wrong with a catalogue value, or nothing when the design can use it.
enum class Need { Finite, Positive, NotNegative };

std::optional<std::string> problemOf(Num value, Need need) {
    if (value.isNull())
        return "is empty or not a number";
    const double v = value.value();
    if (!std::isfinite(v))
        return "is not finite";
    if (need == Need::Positive && !(v > 0))
        return "is not positive";
    if (need == Need::NotNegative && v < 0)
        return "is negative";
    return std::nullopt;
}

// A single-precision copy of a catalogue value: NaN marks an empty one.
Num single(float value) {
    return static_cast<double>(value);
}

using NamedValue = std::pair<const char*, Num>;

std::optional<std::string> firstProblem(std::initializer_list<NamedValue> values, Need need) {
    for (const auto& [name, value] : values) {
        if (const auto problem = problemOf(value, need))
            return std::string(name) + " " + *problem;
    }
    return std::nullopt;
}

// Values that are each positive can still combine into a winding, surface or window that
// is not (an inner diameter above the outer one).
std::optional<std::string> derivedProblem(const DesignState& s) {
    return firstProblem(
        {{"window area", s.Wa}, {"mean turn length", s.MLT}, {"surface area", s.SurfArea}},
        Need::Positive);
}

std::optional<std::string> coreProblem(const DesignState& s) {
    if (auto p = firstProblem({{"AC", s.Ac}, {"VC", s.Vc}, {"LC", s.Lc}}, Need::Positive))
        return p;
    if (s.IsECore) {
        if (auto p = firstProblem({{"WC", s.Wa},
                                   {"a_dim", s.a_dim},
                                   {"b_dim", s.b_dim},
                                   {"c_dim", s.c_dim},
                                   {"f_dim", s.f_dim},
                                   {"g_dim", s.g_dim}},
                                  Need::Positive))
            return p;
        if (auto p = firstProblem({{"GAP", s.Gap}}, Need::NotNegative))
            return p;
    } else {
        if (auto p = firstProblem({{"OD", s.OD}, {"ID", s.ID}, {"HT", s.HT}}, Need::Positive))
            return p;
        if (auto p = firstProblem({{"gap", s.Gap}}, Need::NotNegative))
            return p;
    }
    return derivedProblem(s);
}

std::optional<std::string> materialProblem(const DesignState& s) {
    if (auto p =
            firstProblem({{"Permeab", single(s.MuInit)}, {"Density", s.Density}}, Need::Positive))
        return p;
    return firstProblem({{"ah", s.ah},
                         {"bh", s.bh},
                         {"ch", s.ch},
                         {"dh", s.dh},
                         {"eh", s.eh},
                         {"ab", s.ab},
                         {"bb", s.bb},
                         {"cb", s.cb},
                         {"db", s.db},
                         {"eb", single(s.eb)},
                         {"al", s.al},
                         {"bl", s.bl},
                         {"cl", s.cl},
                         {"dl", single(s.dl)}},
                        Need::Finite);
}

// One run of the design: the working values start at zero, faults are skipped step by
// step and looked at only at the checkpoints.
class DesignRun {
  public:
    DesignRun(DesignState& state, const DesignSelection& selection) : s_(state), sel_(selection) {}

    DesignOutcome run();

  private:
    bool searchTurns();
    void operatingPoint();
    void wireAndLosses();
    DesignNumbers numbers() const;
    static DesignOutcome failed(const char* message, int page);
    static DesignOutcome unusable(std::string what);
    std::optional<std::string> resultProblem() const;

    // A step whose fault is skipped and recorded under the name of the value it computes.
    template <class Step>
    void skippable(const char* value, Step&& step) {
        try {
            step();
        } catch (const Fault& fault) {
            skipped_.push_back({value, fault});
        }
    }

    DesignState& s_;
    const DesignSelection& sel_;
    StepRunner steps_;
    std::vector<SkippedStep> skipped_;
    DesignNumbers n_;  // the working values, all 0 at the start
};

DesignOutcome DesignRun::failed(const char* message, int page) {
    DesignOutcome outcome;
    outcome.message = message;
    outcome.page = page;
    return outcome;
}

DesignOutcome DesignRun::unusable(std::string what) {
    DesignOutcome outcome = failed(kComputationalError, 0);
    outcome.unusableValue = std::move(what);
    return outcome;
}

// The guard of last resort: values that are each positive can still combine into a
// winding or surface that is not (an inner diameter above the outer one), and a step
// skipped on a fault leaves a zero that must never be shown as a result.
std::optional<std::string> DesignRun::resultProblem() const {
    if (auto p = firstProblem({{"resistance", n_.resistanceOhm},
                               {"copper loss", n_.copperLossW},
                               {"total loss", n_.totalLossW},
                               {"copper weight", n_.copperWeightG},
                               {"core weight", n_.coreWeightG},
                               {"total weight", n_.totalWeightG},
                               {"temperature rise", n_.temperatureRiseC}},
                              Need::Positive))
        return p;
    // Without AC flux there is no core loss; with it, a loss that could not be evaluated
    // (left at 0) is as wrong as a negative one.
    return firstProblem({{"core loss", n_.coreLossW}},
                        s_.Bac == 0 ? Need::NotNegative : Need::Positive);
}

DesignOutcome DesignRun::run() {
    if (sel_.materialText.empty())
        return failed("Select a core from the database", 1);
    if (sel_.materialIndex < 0)
        return failed("Select a core material", 1);
    if (auto problem = unusableCatalogueValue(s_))
        return unusable(std::move(*problem));

    // A run never shows the core loss of an earlier design.
    s_.Pv = 0;
    double n0 = 0;
    steps_.run([&] {
        n0 = (Num(static_cast<double>(s_.Ku)) * s_.Wa * s_.Jdes * kSquareMetresPerSquareCm / s_.Ipk)
                 .value();
    });
    steps_.run([&] { n_.turns = std::floor(checkedFinite(n0 + 0.5)); });

    if (!searchTurns())
        return failed(kComputationalError, 0);
    // The last iteration of a downward walk evaluated N - 1: recompute for the chosen N.
    operatingPoint();
    steps_.run([&] {
        n_.peakFluxDensityT =
            (Num(s_.Lreq) * s_.Ipk * kTeslaPerWeberPerSquareCm / (Num(n_.turns) * s_.Ac)).value();
    });
    steps_.run([&] { updateEffectivePermeability(s_); });
    if (steps_.hasPending())
        return failed(kComputationalError, 0);
    wireAndLosses();
    if (auto problem = resultProblem())
        return unusable(std::move(*problem));

    DesignOutcome outcome;
    outcome.numbers = numbers();
    outcome.skipped = std::move(skipped_);
    return outcome;
}

void DesignRun::operatingPoint() {
    // H = 0.4π·N·I/lc in the method's order and units (physics::fieldStrengthOe works in m).
    steps_.run(
        [&] { s_.Hdc = (kOerstedPerAmpereTurnPerCm * Num(n_.turns) * s_.Idc / s_.Lc).value(); });
    steps_.run([&] {
        s_.Bac = (Num(s_.Lreq) * s_.Iac * kGaussPerWeberPerSquareCm / (2 * Num(n_.turns) * s_.Ac))
                     .value();
    });
}

// Walks one turn at a time in the direction of the first comparison and stops on the
// smallest N along it whose inductance exceeds the requirement. Returns false when the
// run must end on the computational error.
bool DesignRun::searchTurns() {
    bool increased = false;
    bool decreased = false;
    for (;;) {
        // Where the inductance can never exceed the requirement the walk would not end.
        if (std::fabs(n_.turns) > kMaxTurns)
            return false;
        ++n_.iterations;
        operatingPoint();
        steps_.run([&] { updateEffectivePermeability(s_); });
        if (steps_.hasPending())
            return false;
        // L(N) of InductanceModel at the fitted µ, kept in the method's cm/mm order.
        steps_.run([&] {
            const Num mu = static_cast<double>(s_.MuEff);
            const Num n = n_.turns;
            n_.searchedInductanceH =
                (Num(physics::kMu0HPerM) * mu * (n * n) * s_.Ac * kSquareMetresPerSquareCm /
                 (s_.Gap * mu * physics::kMetresPerMm + s_.Lc * physics::kMetresPerCm))
                    .value();
        });
        if (n_.searchedInductanceH > s_.Lreq) {
            if (increased)
                return true;
            n_.turns -= 1;
            decreased = true;
        } else {
            n_.turns += 1;
            if (decreased)
                return true;
            increased = true;
        }
    }
}

void DesignRun::wireAndLosses() {
    // Faults from here on are skipped; the results show what the steps left.
    skippable("AwReq", [&] {
        n_.requiredWireAreaCm2 = (Num(s_.Irms) / (Num(s_.Jdes) * kSquareMetresPerSquareCm)).value();
    });
    double awgExact = 0;
    skippable("AWG", [&] {
        awgExact = (Num(physics::kAwgPerDecadeOfArea) * checkedLog10(n_.requiredWireAreaCm2) +
                    physics::kAwgOfOneSquareCm)
                       .value();
    });
    skippable("AWG", [&] { n_.wireGauge = std::floor(checkedFinite(awgExact + 0.5)); });
    skippable("d", [&] {
        n_.wireDiameterCm =
            (Num(kAwgZeroDiameterCm) * checkedPow(10, -n_.wireGauge / kAwgDiameterDecadeGauges))
                .value();
    });
    // Only d·d can overflow here, as the method's own step would.
    skippable("Aw",
              [&] { n_.wireAreaCm2 = checkedFinite(physics::circleArea(n_.wireDiameterCm)); });
    skippable("Jact", [&] { n_.currentDensityAPerCm2 = (Num(s_.Irms) / n_.wireAreaCm2).value(); });
    // The method's 1.724 µΩ·cm over its own mean turn (physics::dcResistanceOhm takes Ω/m).
    skippable("Rdc", [&] {
        n_.resistanceOhm = (s_.MLT * n_.turns *
                            (Num(kCopperResistivityMicroOhmCm) / n_.wireAreaCm2) * kOhmsPerMicroOhm)
                               .value();
    });
    // Mean turn [cm] x turns x bare area [cm²] is the copper's volume in cm³.
    skippable("Wcu", [&] {
        n_.copperWeightG = (s_.MLT * n_.turns * n_.wireAreaCm2 * kCopperDensityGramsPerCm3).value();
    });
    skippable("Pcu",
              [&] { n_.copperLossW = (Num(n_.resistanceOhm) * (Num(s_.Irms) * s_.Irms)).value(); });
    skippable("Pv", [&] { updateCoreLossDensity(s_); });
    skippable("Pcore", [&] { n_.coreLossW = (Num(s_.Pv) * s_.Vc).value(); });
    skippable("Wcore", [&] { n_.coreWeightG = (s_.Density * s_.Vc).value(); });
    skippable("Ptot", [&] { n_.totalLossW = (Num(n_.copperLossW) + n_.coreLossW).value(); });
    // physics::temperatureRiseC's law, each operation faulting on its own (the skip rule).
    skippable("Trise", [&] {
        n_.temperatureRiseC =
            checkedPow((Num(n_.totalLossW) * physics::kMilliwattsPerWatt /
                        (Num(physics::kSurfaceLawMilliwattsPerSquareCm) * s_.SurfArea))
                           .value(),
                       physics::kSurfaceLawExponent);
    });
    skippable("Wtot", [&] { n_.totalWeightG = (Num(n_.copperWeightG) + n_.coreWeightG).value(); });
}

DesignNumbers DesignRun::numbers() const {
    DesignNumbers n = n_;
    n.dcFieldOe = s_.Hdc;
    n.acFluxDensityGauss = s_.Bac;
    n.effectivePermeability = static_cast<double>(s_.MuEff);
    return n;
}

}  // namespace

std::optional<std::string> unusableCatalogueValue(const DesignState& state) {
    if (!state.coreRowProblem.empty())
        return state.coreRowProblem;
    if (!state.materialRowProblem.empty())
        return state.materialRowProblem;
    if (auto p = coreProblem(state))
        return p;
    return materialProblem(state);
}

DesignOutcome computeDesign(DesignState& state, const DesignSelection& selection) {
    return DesignRun(state, selection).run();
}

}  // namespace coilsmith
