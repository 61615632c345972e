#include "check/DeliveredTexts.h"

#include <cmath>
#include <functional>
#include <map>

#include "numeric/NumberText.h"

namespace coilsmith {

namespace {

using physics::DeliveredDesign;

constexpr double kCmPerM = 100;
constexpr double kGramsPerKg = 1000;

// A value in SI shown in the unit the designed figure chose, as the check shows it.
std::string inUnit(double si, const std::string& unit) {
    static const std::map<std::string, double> perSi = {
        {"µH", 1e6}, {"mH", 1e3}, {"mΩ", 1e3}, {"Ω", 1}};
    const auto factor = perSi.find(unit);
    return significantText(si * (factor == perSi.end() ? 1 : factor->second));
}

std::string percentText(double percent) {
    return formatFixed(percent, 1);
}

std::string temperatureText(double celsius) {
    return formatFixed(celsius, 1);
}

std::string layerList(const std::vector<long>& turnsPerLayer) {
    std::string text;
    for (const long turns : turnsPerLayer)
        text += (text.empty() ? "" : ", ") + std::to_string(turns);
    return text;
}

using Figure =
    std::function<std::optional<std::string>(const DeliveredDesign&, const std::string& unit)>;

template <class Part, class Text>
Figure from(std::optional<Part> DeliveredDesign::*part, Text text) {
    return [part, text](const DeliveredDesign& d,
                        const std::string& unit) -> std::optional<std::string> {
        if (!(d.*part))
            return std::nullopt;
        return text(*(d.*part), unit);
    };
}

// The delivered design's text of each figure of the check that it has.
const std::map<std::string, Figure>& deliveredFigures() {
    using physics::DeliveredCopper;
    using physics::DeliveredInductance;
    using physics::DeliveredWinding;
    using U = const std::string&;
    static const std::map<std::string, Figure> figures = {
        {"L at 0 A", from(&DeliveredDesign::inductance,
                          [](const DeliveredInductance& l, U u) { return inUnit(l.atZeroH, u); })},
        {"L at Idc", from(&DeliveredDesign::inductance,
                          [](const DeliveredInductance& l, U u) { return inUnit(l.atIdcH, u); })},
        {"L at Ipk", from(&DeliveredDesign::inductance,
                          [](const DeliveredInductance& l, U u) { return inUnit(l.atIpkH, u); })},
        {"L at Idc of required",
         from(&DeliveredDesign::inductance,
              [](const DeliveredInductance& l, U) { return percentText(l.atIdcPercent); })},
        {"L at Ipk of required",
         from(&DeliveredDesign::inductance,
              [](const DeliveredInductance& l, U) { return percentText(l.atIpkPercent); })},
        {"Swing L(0) / L(Idc)", from(&DeliveredDesign::inductance,
                                     [](const DeliveredInductance& l, U) {
                                         return formatFixed(l.atZeroH / l.atIdcH, 3);
                                     })},
        {"Turns needed for L at Idc",
         from(&DeliveredDesign::inductance,
              [](const DeliveredInductance& l, U) { return std::to_string(l.turns); })},
        {"Turns", from(&DeliveredDesign::inductance,
                       [](const DeliveredInductance& l, U) { return std::to_string(l.turns); })},
        {"Wire", from(&DeliveredDesign::winding,
                      [](const DeliveredWinding& w, U) { return "AWG " + std::to_string(w.awg); })},
        {"Insulated wire diameter", from(&DeliveredDesign::winding,
                                         [](const DeliveredWinding& w, U) {
                                             return significantText(w.wire.insulatedDiameterM *
                                                                    kCmPerM);
                                         })},
        {"Layers",
         from(&DeliveredDesign::winding,
              [](const DeliveredWinding& w, U) { return std::to_string(w.layout.layers); })},
        {"Turns per layer",
         from(&DeliveredDesign::winding,
              [](const DeliveredWinding& w, U) { return layerList(w.layout.turnsPerLayer); })},
        {"Fill", from(&DeliveredDesign::winding,
                      [](const DeliveredWinding& w, U) { return percentText(100 * w.fill); })},
        {"Winding fits", from(&DeliveredDesign::winding,
                              [](const DeliveredWinding& w, U) {
                                  return w.fits ? std::string("Yes") : "No: " + w.doesNotFitReason;
                              })},
        {"Mean turn", from(&DeliveredDesign::copper,
                           [](const DeliveredCopper& c, U) {
                               return significantText(c.woundMeanTurnM * kCmPerM);
                           })},
        {"R at 20 °C",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U u) { return inUnit(c.resistance20Ohm, u); })},
        {"R hot",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U u) { return inUnit(c.resistanceHotOhm, u); })},
        {"Rac / Rdc at the ripple frequency",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U) { return formatFixed(c.fundamentalFr, 3); })},
        {"Copper loss DC",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U) { return significantText(c.copperLossDcW); })},
        {"Copper loss AC",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U) { return significantText(c.copperLossAcW); })},
        {"Copper loss", from(&DeliveredDesign::copper,
                             [](const DeliveredCopper& c, U) {
                                 return significantText(c.copperLossDcW + c.copperLossAcW);
                             })},
        {"Total loss",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U) { return significantText(c.totalLossHotW); })},
        {"Temperature rise",
         from(&DeliveredDesign::copper,
              [](const DeliveredCopper& c, U) { return temperatureText(c.temperatureRiseHotC); })},
        {"Hot temperature", from(&DeliveredDesign::copper,
                                 [](const DeliveredCopper& c, U) {
                                     return c.runaway ? std::string("thermal runaway")
                                                      : temperatureText(c.hotTemperatureC);
                                 })},
    };
    return figures;
}

// Figures of the specification and the ambient: the same for both designs.
bool sharedFigure(const std::string& label) {
    return label == "Required L" || label == "Idc" || label == "Ipk" || label == "Ambient" ||
           label == "Largest fill (Ku)";
}

void addStackRows(DeliveredTexts& texts, const DesignCheckInput& input,
                  const std::optional<DeliveredDesign>& design) {
    const auto row = [&](std::string label, std::string designed, std::string delivered,
                         std::string unit) {
        const bool changed = !delivered.empty() && delivered != designed;
        texts.figures.push_back({kStackPart, std::move(label), std::move(designed),
                                 std::move(delivered), std::move(unit), changed});
    };
    row("Cores stacked", "1", design ? std::to_string(design->stackCount) : "", "");
    const auto grams = [](double kg) { return significantText(kg * kGramsPerKg); };
    const bool haveCore = design && design->core;
    row("Core loss", significantText(input.coreLossW),
        haveCore ? significantText(design->core->lossW) : "", "W");
    const bool haveCopper = design && design->copper;
    row("Copper weight", "", haveCopper ? grams(design->copper->copperWeightKg) : "", "g");
    row("Core weight", "", haveCore ? grams(design->core->weightKg) : "", "g");
    row("Total weight", "", haveCopper ? grams(design->copper->totalWeightKg) : "", "g");
}

Verdict checkVerdict(physics::VerdictLevel level) {
    switch (level) {
        case physics::VerdictLevel::Pass:
            return Verdict::Pass;
        case physics::VerdictLevel::Warning:
            return Verdict::Warning;
        case physics::VerdictLevel::Fail:
            return Verdict::Fail;
        case physics::VerdictLevel::Unavailable:
            break;
    }
    return Verdict::Unavailable;
}

std::string verdictWord(Verdict verdict) {
    std::string word = verdictName(verdict);
    if (!word.empty())
        word[0] = static_cast<char>(word[0] - 'a' + 'A');
    return word;
}

const ComparedFigureRow* findRow(const DeliveredTexts& texts, const std::string& label) {
    for (const ComparedFigureRow& row : texts.figures)
        if (row.label == label)
            return &row;
    return nullptr;
}

std::string layersText(long layers) {
    return std::to_string(layers) + (layers == 1 ? " layer" : " layers");
}

std::string summaryOf(const DeliveredTexts& texts, const DesignCheckInput& input,
                      const DeliveredCheck& delivered) {
    if (!delivered.design)
        return "No delivered design: " + delivered.problem + ".";
    const DeliveredDesign& d = *delivered.design;
    if (!d.inductance)
        return "No delivered design on " + std::to_string(d.stackCount) +
               (d.stackCount == 1 ? " core: " : " cores: ") + d.problem.value_or("") + ".";
    std::string text = d.stackCount == 1
                           ? std::string()
                           : "On " + std::to_string(d.stackCount) + " stacked cores, ";
    const long turns = d.inductance->turns;
    const ComparedFigureRow* atIdc = findRow(texts, "L at Idc");
    const InductanceUnit unit = inductanceUnit(input.requiredInductanceH);
    const std::string reached =
        atIdc && !atIdc->unit.empty()
            ? atIdc->delivered + " " + atIdc->unit
            : significantText(d.inductance->atIdcH * unit.perHenry) + " " + unit.name;
    text += std::to_string(turns) +
            (turns == input.turns ? " turns, as designed,"
                                  : " turns instead of " + std::to_string(input.turns)) +
            " reach " + reached + " at " + formatNumber(input.idcA) + " A";
    if (!d.winding)
        return text + "; " + d.problem.value_or("the winding is not laid out") + ".";
    const ComparedFigureRow* fits = findRow(texts, "Winding fits");
    const bool designedFits = fits && fits->designed == "Yes";
    if (d.winding->fits)
        text += (designedFits ? "; the winding still fits in " : "; the winding now fits in ") +
                layersText(d.winding->layout.layers);
    else
        text += "; the winding does not fit: " + d.winding->doesNotFitReason;
    return text + ".";
}

}  // namespace

DeliveredTexts deliveredTexts(const CheckTexts& check, const DesignCheckInput& input,
                              const DeliveredCheck& delivered) {
    DeliveredTexts texts;
    const auto& figures = deliveredFigures();
    for (const CheckFigureRow& row : check.figures) {
        ComparedFigureRow compared{row.part, row.label, row.value, {}, row.unit, false};
        if (delivered.design) {
            if (sharedFigure(row.label)) {
                compared.delivered = row.value;
            } else if (const auto figure = figures.find(row.label); figure != figures.end()) {
                compared.delivered = figure->second(*delivered.design, row.unit).value_or("");
            }
        }
        compared.changed = !compared.delivered.empty() && compared.delivered != row.value;
        texts.figures.push_back(std::move(compared));
    }
    addStackRows(texts, input, delivered.design);
    if (delivered.design) {
        for (const physics::Verdict& v : delivered.design->verdicts) {
            const Verdict verdict = checkVerdict(v.level);
            texts.verdicts.push_back({v.check, verdict, verdictWord(verdict), v.reason});
        }
    }
    texts.summary = summaryOf(texts, input, delivered);
    return texts;
}

}  // namespace coilsmith

namespace coilsmith {

namespace {
constexpr const char* kSmallestThatPasses = "smallest that passes";
}

std::vector<std::string> stackChoiceTexts() {
    std::vector<std::string> texts;
    for (int cores = 1; cores <= physics::kMaxStackedCores; ++cores)
        texts.push_back(std::to_string(cores));
    texts.emplace_back(kSmallestThatPasses);
    return texts;
}

std::string stackChoiceText(StackChoice stack) {
    return stack.count ? std::to_string(*stack.count) : kSmallestThatPasses;
}

StackChoice stackChoiceFromText(const std::string& text) {
    for (int cores = 1; cores <= physics::kMaxStackedCores; ++cores)
        if (text == std::to_string(cores))
            return StackChoice::of(cores);
    return StackChoice::smallestThatPasses();
}

}  // namespace coilsmith
