#include "adviser/CandidateDesigner.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <exception>

#include "method/ResultFormat.h"
#include "numeric/Fault.h"

namespace coilsmith::adviser {

namespace {

std::optional<double> known(Num value) {
    if (value.isNull() || !std::isfinite(value.value())) {
        return std::nullopt;
    }
    return value.value();
}

std::optional<double> finiteOrNone(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

std::string_view coreTypeName(CoreType type) noexcept {
    return type == CoreType::ECore ? "E-core" : "Toroid";
}

std::string_view coreTypeOption(CoreType type) noexcept {
    return type == CoreType::ECore ? "ECore" : "Toroid";
}

CandidateDesigner::CandidateDesigner(const TypeStart& start)
    : start_(start), window_(start.window) {
    window_.setPrompter(prompter_);
    window_.setListener(nullptr);
    window_.setDeliversDesigns(false);
}

void CandidateDesigner::restartPick() {
    window_.state() = start_.window.state();
    for (const char* box : kCorePageBoxes) {
        window_.setTextRaw(box, start_.window.text(box));
    }
    prompter_.messages.clear();
}

void CandidateDesigner::designCore(int coreIndex, std::vector<Candidate>& out) {
    restartPick();
    const std::string core =
        start_.window.control("Core").items.at(static_cast<std::size_t>(coreIndex));
    try {
        window_.chooseItem("Core", coreIndex);
    } catch (const std::exception& e) {
        // A catalogue the window cannot read; the core is reported instead of designed.
        Candidate failed;
        failed.type = start_.type;
        failed.core = core;
        failed.reason = e.what();
        out.push_back(std::move(failed));
        return;
    }
    const DesignState afterCore = window_.state();
    const std::vector<std::string> coreMessages = prompter_.messages;
    const std::vector<std::string> materials = window_.control("CoreMat").items;

    // A core lists at most eleven materials: looking back is cheaper than hashing.
    for (std::size_t i = 0; i < materials.size(); ++i) {
        const auto listed = materials.begin() + static_cast<std::ptrdiff_t>(i);
        if (std::find(materials.begin(), listed, *listed) != listed) {
            continue;  // listed twice: the same design again
        }
        prompter_.messages = coreMessages;
        Candidate c = designMaterial(static_cast<int>(i), afterCore);
        c.core = core;
        out.push_back(std::move(c));
    }
}

Candidate CandidateDesigner::designMaterial(int materialIndex, const DesignState& afterCore) {
    Candidate c;
    c.type = start_.type;
    window_.state() = afterCore;
    try {
        window_.chooseItem("CoreMat", materialIndex);
        c.material = window_.text("CoreMat");
        window_.runDesign();
    } catch (const std::exception& e) {
        c.reason = e.what();
        return c;
    }
    const auto& outcome = window_.lastDesign();
    if (!outcome || !outcome->completed()) {
        // Bad catalogue data is named, so the catalogue can be mended.
        c.reason = outcome && outcome->unusableValue ? *outcome->unusableValue
                   : outcome && outcome->message     ? *outcome->message
                                                     : kComputationalError;
        return c;
    }
    if (!prompter_.messages.empty()) {
        c.reason = prompter_.messages.front();  // the material did not load cleanly
        return c;
    }
    c.completed = true;
    measure(c);
    return c;
}

void CandidateDesigner::measure(Candidate& c) {
    const DesignOutcome& outcome = *window_.lastDesign();
    const DesignNumbers& n = outcome.numbers;
    const DesignState& s = window_.state();
    const DesignSelection selection = window_.designSelection();
    c.turns = n.turns;
    c.awg = n.wireGauge;
    c.rdc = n.resistanceOhm;
    c.copperLoss = n.copperLossW;
    c.coreLoss = n.coreLossW;
    c.totalLoss = n.totalLossW;
    c.totalWeight = n.totalWeightG;
    c.tempRise = n.temperatureRiseC;
    c.bmax = n.peakFluxDensityT;
    c.bac = n.acFluxDensityT();
    c.hdc = n.dcFieldAPerCm();
    c.currentDensity = n.currentDensityAPerCm2;
    c.muEff = n.effectivePermeability;
    c.texts = resultTexts(outcome, selection);
    c.texts.relativeCost = resultTexts(outcome, selection, window_.locale()).relativeCost;
    try {
        c.cost = known(window_.sources().materials.recordset().field("Cost").toNum());
    } catch (const std::exception&) {
        c.cost.reset();  // no number to rank by
    }

    const NumberLocale& locale = window_.locale();
    c.coreAP = parseNumber(window_.text("APROD"), locale);
    const auto minAP = parseNumber(window_.text("minAP"), locale);
    if (c.coreAP && minAP && *minAP > 0) {
        c.apMargin = finiteOrNone(*c.coreAP / *minAP);
    }
    c.volume = known(s.Vc);
    const auto window = known(s.Wa);
    if (window && *window > 0) {
        c.fill = finiteOrNone(n.turns * n.wireAreaCm2 / *window);
    }
    measureCheck(c);
}

void CandidateDesigner::measureCheck(Candidate& c) {
    const auto& check = window_.lastCheck();
    if (!check) {
        return;
    }
    if (check->inductance.available()) {
        c.lIdcPercent = check->inductance.figures->atIdcPercent;
    }
    if (check->winding.available()) {
        c.woundFill = check->winding.figures->fill;
    }
    if (check->copper.available()) {
        c.hotRise = check->copper.figures->temperatureRiseC;
    }
    c.checkPassed = checkPasses(*check);
}

}  // namespace coilsmith::adviser
