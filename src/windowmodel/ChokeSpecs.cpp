// The specification page: unit selectors, value lists, "Calculate AP" and page navigation.
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "method/Sizing.h"
#include "method/StateViews.h"
#include "numeric/Num.h"
#include "numeric/StepRunner.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

void ChokeModel::applyInductanceUnit() {
    selectUnit(state_, SelectedUnit::Inductance, text("Lunit"));
}

void ChokeModel::applyFrequencyUnit() {
    selectUnit(state_, SelectedUnit::Frequency, text("Funit"));
}

void ChokeModel::applyFluxDensityUnit() {
    selectUnit(state_, SelectedUnit::FluxDensity, text("Bunit"));
}

void ChokeModel::applyDcCurrentUnit() {
    selectUnit(state_, SelectedUnit::DcCurrent, text("DCunit"));
}

void ChokeModel::applyRippleCurrentUnit() {
    selectUnit(state_, SelectedUnit::RippleCurrent, text("ACunit"));
}

// The list items are the program's own numbers written with a full stop, so they are read
// the same way whatever the user's decimal separator is. A typed value is read, and
// checked, by the next "Calculate AP".
void ChokeModel::applyCurrentDensity() {
    if (const auto value = parseNumber(text("CurD"))) {
        StepRunner().run([&] { selectCurrentDensity(state_, *value); });
    }
}

void ChokeModel::applyWindowUtilisation() {
    if (const auto value = parseNumber(text("WU"))) {
        StepRunner().run([&] { selectWindowUtilisation(state_, *value); });
    }
}

void ChokeModel::showSpecifications() {
    setPageAvailable(kSpecPage, true);
    selectPage(kSpecPage);
}

void ChokeModel::showCoreDatabase() {
    setPageAvailable(kCorePage, true);
    selectPage(kCorePage);
}

void ChokeModel::calculateAreaProduct() {
    sizeSpecification();
}

std::optional<std::string> ChokeModel::sizeSpecification() {
    const TypedSpecification texts{text("Ldes"), text("FD"),   text("DCC"), text("ACC"),
                                   text("Freq"), text("CurD"), text("WU")};
    const SizingOutcome outcome = sizeAreaProduct(state_, texts, locale_);
    if (outcome.message) {
        // The inputs read before the refused one are stored already: no design may be
        // made from them until a specification is read whole again.
        state_.sizedSpecification.clear();
        forgetCheck();
        report(*outcome.message);
        return outcome.message;
    }
    state_.sizedSpecification = specificationTexts();
    setTextRaw("APR", outcome.apText);
    setTextRaw("minAP", text("APR"));
    setPageAvailable(kCorePage, true);
    if (listener_ != nullptr) {
        listener_->areaProductCalculated();
    }
    return std::nullopt;
}

// Every text the sizing depends on: the typed inputs, their unit selectors (whose factors
// follow their texts) and the two value lists.
std::vector<std::string> ChokeModel::specificationTexts() const {
    static constexpr std::string_view kSpecificationControls[] = {
        "Ldes", "Lunit",  "FD",   "Bunit", "DCC",  "DCunit",
        "ACC",  "ACunit", "Freq", "Funit", "CurD", "WU"};
    std::vector<std::string> texts;
    texts.reserve(std::size(kSpecificationControls));
    for (const std::string_view name : kSpecificationControls) {
        texts.push_back(text(name));
    }
    return texts;
}

bool ChokeModel::sizeChangedSpecification() {
    return !specificationChangedSinceSizing() || !sizeSpecification();
}

// Compared whatever route changed a text: typing, a design file, paste or the frame.
bool ChokeModel::specificationChangedSinceSizing() const {
    return state_.sizedSpecification != specificationTexts();
}

}  // namespace coilsmith
