// "Run": the design computation and the results page.
#include <cmath>
#include <utility>

#include "check/DeliveredSpecification.h"
#include "method/ResultFormat.h"
#include "method/StateViews.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

DesignSelection ChokeModel::designSelection() {
    const Control& materials = control("CoreMat");
    return {materials.text, materials.selectedIndex, text("Ldes"), text("Lunit"), text("Core"),
            currentCost()};
}

void ChokeModel::runDesign() {
    forgetCheck();
    // The results must belong to the specification shown: one changed since it was last
    // sized is read again, with the checks and messages of "Calculate AP".
    if (specificationChangedSinceSizing()) {
        if (auto message = sizeSpecification()) {
            lastDesign_.emplace();
            lastDesign_->message = std::move(message);
            lastDesign_->page = selectedPage_;
            return;
        }
    }
    const DesignSelection selection = designSelection();
    lastDesign_ = computeDesign(state_, selection);
    const DesignOutcome& outcome = *lastDesign_;
    if (!outcome.completed()) {
        report(*outcome.message);
        selectPage(outcome.page);
        return;
    }

    // Display order of the run; a box whose text could not be formed keeps its old text.
    const DesignResultTexts t = resultTexts(outcome, selection, locale_);
    const std::pair<const char*, const std::optional<std::string>*> boxes[] = {
        {"Inductance", &t.inductance}, {"NTurns", &t.turns},
        {"WAWG", &t.wireGauge},        {"DCR", &t.resistance},
        {"CUL", &t.copperLoss},        {"COL", &t.coreLoss},
        {"PTOT", &t.totalLoss},        {"TWT", &t.totalWeight},
        {"TRISE", &t.temperatureRise}, {"FDmax", &t.peakFluxDensity},
        {"FDac", &t.acFluxDensity},    {"FIdc", &t.dcField},
        {"CDact", &t.currentDensity},  {"EffMu", &t.effectivePermeability},
        {"fCore", &t.coreAndMaterial}, {"Price", &t.relativeCost},
    };
    for (const auto& [box, value] : boxes) {
        if (value->has_value()) {
            setTextRaw(box, **value);
        }
    }
    setPageAvailable(kResultsPage, true);
    selectPage(kResultsPage);
    checkCompletedDesign();
}

void ChokeModel::checkCompletedDesign() {
    // Each completed Run looks the check's reference rows up in the catalogue file: the
    // catalogue cache reads it again only when it changed.
    const CheckReferences references = CheckReferences::load(cataloguePath_);
    lastCheckInput_ = designCheckInput(state_, lastDesign_->numbers, references, ambientC_);
    lastCheckInput_->minimumAreaProductCm4 = minimumAreaProduct();
    lastCheckInput_->coreAreaProductCm4 = coreAreaProduct();
    lastCheck_ = checkDesign(*lastCheckInput_);
    deliverCheckedDesign();
}

void ChokeModel::deliverCheckedDesign() {
    if (!lastCheckInput_) {
        lastDelivered_.reset();
        return;
    }
    if (!deliveredRecords_ || deliveredRecords_->catalogueFile != cataloguePath_)
        deliveredRecords_ =
            std::make_shared<const DeliveredRecords>(DeliveredRecords::load(cataloguePath_));
    const auto shape =
        coreView(state_).isECore ? catalogue::CoreShape::ECore : catalogue::CoreShape::Toroid;
    lastDelivered_ = coilsmith::deliverCheckedDesign(
        *deliveredRecords_, deliveredSpecification(state_), ambientC_, shape, text("Core"),
        materialView(state_).name, deliveredStack_);
}

void ChokeModel::setDeliveredStack(StackChoice stack) {
    if (stack.count && (*stack.count < 1 || *stack.count > physics::kMaxStackedCores))
        return;
    deliveredStack_ = stack;
    deliverCheckedDesign();
}

void ChokeModel::setAmbientTemperature(double celsius) {
    if (!std::isfinite(celsius)) {
        return;
    }
    ambientC_ = celsius;
    if (lastCheckInput_) {
        lastCheckInput_->ambientC = celsius;
        lastCheck_ = checkDesign(*lastCheckInput_);
        deliverCheckedDesign();
    }
}

}  // namespace coilsmith
