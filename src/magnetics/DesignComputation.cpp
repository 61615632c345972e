#include "magnetics/DesignComputation.h"

#include <cmath>
#include <initializer_list>
#include <utility>

#include "magnetics/Fault.h"
#include "magnetics/MaterialModels.h"
#include "magnetics/StepRunner.h"

namespace coilsmith {

namespace {

// The program's value of pi, not the full-precision one: results must match the
// figures engineers have been checking designs against.
constexpr double kPi = 3.141592654;
constexpr double kMu0 = 4 * kPi * 1e-7;  // H/m
constexpr double kOerstedPerAmpereTurnPerCm = 0.4 * kPi;

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
    DesignRun(DesignState& state, const DesignSelection& selection, const NumberLocale& locale)
        : s_(state), sel_(selection), locale_(locale) {}

    DesignOutcome run();

  private:
    bool searchTurns();
    void operatingPoint();
    void wireAndLosses();
    DesignResultTexts texts();
    DesignNumbers numbers() const;
    static DesignOutcome failed(const char* message, int page);
    static DesignOutcome unusable(std::string what);
    std::optional<std::string> resultProblem() const;

    template <class Step>
    std::optional<std::string> text(Step&& step) {
        std::optional<std::string> out;
        steps_.run([&] { out = step(); });
        return out;
    }

    DesignState& s_;
    const DesignSelection& sel_;
    const NumberLocale& locale_;
    StepRunner steps_;
    double N_ = 0, Lcalc_ = 0, Bmax_ = 0, AwReq_ = 0, AWG_ = 0, d_ = 0, Aw_ = 0, Jact_ = 0;
    double Rdc_ = 0, Pcu_ = 0, Pcore_ = 0, Ptot_ = 0, Wcu_ = 0, Wcore_ = 0, Wtot_ = 0;
    double Trise_ = 0;
    int iterations_ = 0;
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
    if (auto p = firstProblem({{"resistance", Rdc_},
                               {"copper loss", Pcu_},
                               {"total loss", Ptot_},
                               {"copper weight", Wcu_},
                               {"core weight", Wcore_},
                               {"total weight", Wtot_},
                               {"temperature rise", Trise_}},
                              Need::Positive))
        return p;
    // Without AC flux there is no core loss; with it, a loss that could not be evaluated
    // (left at 0) is as wrong as a negative one.
    return firstProblem({{"core loss", Pcore_}}, s_.Bac == 0 ? Need::NotNegative : Need::Positive);
}

DesignOutcome DesignRun::run() {
    if (sel_.coreMatText.empty())
        return failed("Select a core from the database", 1);
    if (sel_.coreMatIndex < 0)
        return failed("Select a core material", 1);
    if (auto problem = unusableCatalogueValue(s_))
        return unusable(std::move(*problem));

    // A run never shows the core loss of an earlier design.
    s_.Pv = 0;
    double n0 = 0;
    steps_.run(
        [&] { n0 = (Num(static_cast<double>(s_.Ku)) * s_.Wa * s_.Jdes * 1e-4 / s_.Ipk).value(); });
    steps_.run([&] { N_ = std::floor(checkedFinite(n0 + 0.5)); });

    if (!searchTurns())
        return failed(kComputationalError, 0);
    // The last iteration of a downward walk evaluated N - 1: recompute for the chosen N.
    operatingPoint();
    steps_.run([&] { Bmax_ = (Num(s_.Lreq) * s_.Ipk * 1e4 / (Num(N_) * s_.Ac)).value(); });
    steps_.run([&] { Mu_Eff(s_); });
    if (steps_.hasPending())
        return failed(kComputationalError, 0);
    wireAndLosses();
    if (auto problem = resultProblem())
        return unusable(std::move(*problem));

    DesignOutcome outcome;
    outcome.texts = texts();
    outcome.numbers = numbers();
    return outcome;
}

void DesignRun::operatingPoint() {
    steps_.run([&] { s_.Hdc = (kOerstedPerAmpereTurnPerCm * Num(N_) * s_.Idc / s_.Lc).value(); });
    steps_.run([&] { s_.Bac = (Num(s_.Lreq) * s_.Iac * 1e8 / (2 * Num(N_) * s_.Ac)).value(); });
}

// Walks one turn at a time in the direction of the first comparison and stops on the
// smallest N along it whose inductance exceeds the requirement. Returns false when the
// run must end on the computational error.
bool DesignRun::searchTurns() {
    bool increased = false;
    bool decreased = false;
    for (;;) {
        // Where the inductance can never exceed the requirement the walk would not end.
        if (std::fabs(N_) > kMaxTurns)
            return false;
        ++iterations_;
        operatingPoint();
        steps_.run([&] { Mu_Eff(s_); });
        if (steps_.hasPending())
            return false;
        steps_.run([&] {
            const Num mu = static_cast<double>(s_.MuEff);
            const Num n = N_;
            Lcalc_ =
                (Num(kMu0) * mu * (n * n) * s_.Ac * 1e-4 / (s_.Gap * mu * 0.001 + s_.Lc * 0.01))
                    .value();
        });
        if (Lcalc_ > s_.Lreq) {
            if (increased)
                return true;
            N_ -= 1;
            decreased = true;
        } else {
            N_ += 1;
            if (decreased)
                return true;
            increased = true;
        }
    }
}

void DesignRun::wireAndLosses() {
    // Faults from here on are skipped silently; the results show what the steps left.
    steps_.run([&] { AwReq_ = (Num(s_.Irms) / (Num(s_.Jdes) * 1e-4)).value(); });
    double awgExact = 0;
    steps_.run([&] { awgExact = (Num(-9.922) * Log10(AwReq_) - 2.691).value(); });
    steps_.run([&] { AWG_ = std::floor(checkedFinite(awgExact + 0.5)); });
    steps_.run([&] { d_ = (Num(0.808507) * checkedPow(10, -AWG_ / 20)).value(); });
    steps_.run([&] { Aw_ = (Num(kPi) * (Num(d_) * d_) / 4).value(); });
    steps_.run([&] { Jact_ = (Num(s_.Irms) / Aw_).value(); });
    steps_.run([&] { Rdc_ = (s_.MLT * N_ * (Num(1.724) / Aw_) * 1e-6).value(); });
    steps_.run([&] { Wcu_ = (s_.MLT * 1e-2 * N_ * Aw_ * 8.89).value(); });
    steps_.run([&] { Pcu_ = (Num(Rdc_) * (Num(s_.Irms) * s_.Irms)).value(); });
    steps_.run([&] { Mat_Loss(s_); });
    steps_.run([&] { Pcore_ = (Num(s_.Pv) * s_.Vc).value(); });
    steps_.run([&] { Wcore_ = (s_.Density * s_.Vc).value(); });
    steps_.run([&] { Ptot_ = (Num(Pcu_) + Pcore_).value(); });
    steps_.run(
        [&] { Trise_ = checkedPow((Num(Ptot_) * 1e3 / (Num(1.1) * s_.SurfArea)).value(), 0.833); });
    steps_.run([&] { Wtot_ = (Num(Wcu_) + Wcore_).value(); });
}

DesignResultTexts DesignRun::texts() {
    const auto fixed = [this](Num v, int decimals) {
        return formatFixed(v.value(), decimals, locale_);
    };
    DesignResultTexts t;
    t.Inductance = text([&] { return sel_.ldesText + "  " + sel_.lunitText; });
    t.NTurns = text([&] { return formatNumber(N_, locale_); });
    t.WAWG = text([&] { return formatNumber(AWG_, locale_); });
    t.DCR = text([&] { return fixed(Num(1000) * Rdc_, 2) + "  mOhms"; });
    t.CUL = text([&] { return fixed(Pcu_, 2); });
    t.COL = text([&] { return fixed(Pcore_, 2); });
    t.PTOT = text([&] { return fixed(Ptot_, 2); });
    t.TWT = text([&] { return fixed(Wtot_, 2); });
    t.TRISE = text([&] { return fixed(Trise_, 1); });
    t.FDmax = text([&] { return fixed(Bmax_, 3); });
    t.FDac = text([&] { return fixed(Num(0.0001) * s_.Bac, 4); });
    t.FIdc = text([&] { return fixed(Num(0.798) * s_.Hdc, 2); });
    t.CDact = text([&] { return fixed(Jact_, 0); });
    t.EffMu = text([&] { return fixed(static_cast<double>(s_.MuEff), 1); });
    t.fCore = text([&] { return sel_.coreText + sel_.coreMatText; });
    t.Price = text([&] {
        if (!sel_.cost)
            throw Fault(FaultKind::NoCurrentRecord);
        return sel_.cost->toText(locale_);
    });
    return t;
}

DesignNumbers DesignRun::numbers() const {
    return DesignNumbers{N_,   Lcalc_, Bmax_, AwReq_, AWG_,   d_,    Aw_,    Jact_,      Rdc_,
                         Pcu_, Pcore_, Ptot_, Wcu_,   Wcore_, Wtot_, Trise_, iterations_};
}

}  // namespace

std::optional<std::string> unusableCatalogueValue(const DesignState& state) {
    if (auto p = coreProblem(state))
        return p;
    return materialProblem(state);
}

DesignOutcome computeDesign(DesignState& state, const DesignSelection& selection,
                            const NumberLocale& locale) {
    return DesignRun(state, selection, locale).run();
}

}  // namespace coilsmith
