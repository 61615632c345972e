#include "check/CheckTexts.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "numeric/Num.h"
#include "numeric/NumberText.h"

namespace coilsmith {

namespace {

constexpr const char* kInductancePart = "Inductance";
constexpr const char* kWindingPart = "Winding";
constexpr const char* kCopperPart = "Copper";
constexpr int kSignificantDigits = 4;

std::string percentText(double percent) {
    return formatFixed(percent, 1);
}

std::string temperatureText(double celsius) {
    return formatFixed(celsius, 1);
}

// Builds the rows of one part in order.
class PartRows {
  public:
    PartRows(std::vector<CheckFigureRow>& rows, const char* part) : rows_(rows), part_(part) {}
    void add(std::string label, std::string value, std::string unit = {}) {
        rows_.push_back({part_, std::move(label), std::move(value), std::move(unit)});
    }
    void inductance(std::string label, double henries) {
        const InductanceUnit unit = inductanceUnit(henries);
        add(std::move(label), significantText(henries * unit.perHenry), unit.name);
    }
    void resistance(std::string label, double ohms) {
        if (std::fabs(ohms) < 1)
            add(std::move(label), significantText(ohms * 1e3), "mΩ");
        else
            add(std::move(label), significantText(ohms), "Ω");
    }
    void unavailable(const std::string& reason) { add("Not available", reason); }

  private:
    std::vector<CheckFigureRow>& rows_;
    std::string part_;
};

// The verdict as a heading word; verdictName gives the lower-case word of the CLI.
std::string verdictWord(Verdict verdict) {
    std::string word = verdictName(verdict);
    if (!word.empty())
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

std::string layerList(const std::vector<long>& turnsPerLayer) {
    std::string text;
    for (const long turns : turnsPerLayer) {
        text += (text.empty() ? "" : ", ") + std::to_string(turns);
    }
    return text;
}

void addInductanceRows(std::vector<CheckFigureRow>& rows, const DesignCheck& check,
                       const DesignCheckInput& in) {
    PartRows part(rows, kInductancePart);
    part.inductance("Required L", in.requiredInductanceH);
    part.add("Idc", significantText(in.idcA), "A");
    part.add("Ipk", significantText(in.peakCurrentA()), "A");
    if (!check.inductance.available()) {
        part.unavailable(check.inductance.unavailableReason);
        return;
    }
    const InductanceFigures& f = *check.inductance.figures;
    part.inductance("L at 0 A", f.atZeroH);
    part.inductance("L at Idc", f.atIdcH);
    part.inductance("L at Ipk", f.atIpkH);
    part.add("L at Idc of required", percentText(f.atIdcPercent), "%");
    part.add("L at Ipk of required", percentText(f.atIpkPercent), "%");
    part.add("Swing L(0) / L(Idc)", formatFixed(f.swing, 3));
    part.add("Turns needed for L at Idc", f.turnsNeeded
                                              ? std::to_string(*f.turnsNeeded)
                                              : "none up to " + std::to_string(kMaxTurnsSearched));
}

void addWindingRows(std::vector<CheckFigureRow>& rows, const DesignCheck& check,
                    const DesignCheckInput& in) {
    PartRows part(rows, kWindingPart);
    part.add("Turns", std::to_string(in.turns));
    part.add("Wire", "AWG " + std::to_string(in.awg));
    if (!check.winding.available()) {
        part.unavailable(check.winding.unavailableReason);
        return;
    }
    const WindingFigures& f = *check.winding.figures;
    part.add("Insulated wire diameter", significantText(f.insulatedDiameterCm), "cm");
    part.add("Layers", std::to_string(f.layers));
    part.add("Turns per layer", layerList(f.turnsPerLayer));
    part.add("Fill", percentText(100 * f.fill), "%");
    part.add("Largest fill (Ku)", percentText(100 * in.windowUtilisation), "%");
    part.add("Winding fits", f.fits ? "Yes" : "No: " + f.doesNotFitReason);
}

void addCopperRows(std::vector<CheckFigureRow>& rows, const DesignCheck& check,
                   const DesignCheckInput& in) {
    PartRows part(rows, kCopperPart);
    part.add("Ambient", temperatureText(in.ambientC), "°C");
    if (!check.copper.available()) {
        part.unavailable(check.copper.unavailableReason);
        return;
    }
    const CopperFigures& f = *check.copper.figures;
    part.add("Mean turn", significantText(f.meanTurnCm), "cm");
    part.resistance("R at 20 °C", f.rdc20Ohm);
    part.resistance("R hot", f.rhotOhm);
    part.add("Rac / Rdc at the ripple frequency", formatFixed(f.racOverRdcFundamental, 3));
    part.add("Copper loss DC", significantText(f.copperLossDcW), "W");
    part.add("Copper loss AC", significantText(f.copperLossAcW), "W");
    part.add("Copper loss", significantText(f.copperLossW), "W");
    part.add("Irms² × R hot", significantText(f.rmsLossAtRdcW), "W");
    part.add("Total loss", significantText(f.totalLossW), "W");
    part.add("Temperature rise", temperatureText(f.temperatureRiseC), "°C");
    part.add("Hot temperature", f.runaway ? "thermal runaway" : temperatureText(f.hotTemperatureC),
             f.runaway ? "" : "°C");
}

}  // namespace

std::string significantText(double value) {
    if (value == 0 || !std::isfinite(value))
        return formatFixed(0, kSignificantDigits - 1);
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    int decimals = std::clamp(kSignificantDigits - 1 - magnitude, 0, 9);
    // 99.996 rounds up into the next decade and would show a fifth digit.
    const double scale = std::pow(10.0, decimals);
    if (decimals > 0 &&
        std::fabs(std::round(value * scale) / scale) >= std::pow(10.0, magnitude + 1))
        --decimals;
    return formatFixed(value, decimals);
}

InductanceUnit inductanceUnit(double henries) {
    if (std::fabs(henries) >= 1e-3)
        return {1e3, "mH"};
    return {1e6, "µH"};
}

// A round axis has a handful of intervals; anything else (a zero step) draws one.
int RoundAxis::intervals() const {
    constexpr long kMostIntervals = 100;
    return static_cast<int>(roundedCount(top / step, 1, kMostIntervals).value_or(1));
}

RoundAxis roundAxis(double highest, int ticks) {
    if (!(highest > 0) || !std::isfinite(highest) || ticks < 1)
        return {};
    // The step among 1, 2, 5 and 10 times the rough step's power of ten whose interval
    // count comes nearest the asked count; on a tie the coarser one.
    const double power = std::pow(10.0, std::floor(std::log10(highest / ticks)));
    RoundAxis best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        const double step = factor * power;
        const double intervals = std::ceil(highest / step - 1e-9);
        const double distance = std::fabs(intervals - ticks);
        if (distance <= bestDistance) {
            best = {intervals * step, step};
            bestDistance = distance;
        }
    }
    return best;
}

CheckTexts checkTexts(const DesignCheck& check, const DesignCheckInput& input) {
    CheckTexts texts;
    addInductanceRows(texts.figures, check, input);
    addWindingRows(texts.figures, check, input);
    addCopperRows(texts.figures, check, input);
    for (const CheckVerdict& v : check.verdicts) {
        texts.verdicts.push_back({v.check, v.verdict, verdictWord(v.verdict), v.reason});
    }
    return texts;
}

}  // namespace coilsmith
