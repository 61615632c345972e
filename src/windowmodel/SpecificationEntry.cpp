#include "windowmodel/SpecificationEntry.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>
#include <vector>

#include "method/StateViews.h"

namespace coilsmith {

namespace {

// A text box with its unit selector, and the factor the selector's handler sets.
struct UnitSelector {
    std::string_view box;
    std::string_view selector;
    SelectedUnit unit;
};

constexpr UnitSelector kInductance{"Ldes", "Lunit", SelectedUnit::Inductance};
constexpr UnitSelector kDcCurrent{"DCC", "DCunit", SelectedUnit::DcCurrent};
constexpr UnitSelector kRipple{"ACC", "ACunit", SelectedUnit::RippleCurrent};
constexpr UnitSelector kFrequency{"Freq", "Funit", SelectedUnit::Frequency};
constexpr UnitSelector kFluxDensity{"FD", "Bunit", SelectedUnit::FluxDensity};

// Below this and from this on, a typed number is clearer with an exponent.
constexpr double kSmallestPlainNumber = 1e-6;
constexpr double kLargestPlainNumber = 1e15;

// Picks each unit of the selector in turn, as the user would, to learn its factor; then
// picks the largest unit not above the value (or the smallest unit) and types the number.
void typeQuantity(ChokeModel& model, const UnitSelector& quantity, double value) {
    const std::vector<std::string> units = model.control(quantity.selector).items;
    int chosen = -1;
    double chosenFactor = 0;
    int smallest = -1;
    double smallestFactor = 0;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const int index = static_cast<int>(i);
        model.chooseItem(quantity.selector, index);
        const double factor = unitFactor(model.state(), quantity.unit);
        if (smallest < 0 || factor < smallestFactor) {
            smallest = index;
            smallestFactor = factor;
        }
        if (factor <= std::fabs(value) && factor > chosenFactor) {
            chosen = index;
            chosenFactor = factor;
        }
    }
    if (chosen < 0) {
        chosen = smallest;
        chosenFactor = smallestFactor;
    }
    if (chosen < 0) {
        return;  // a selector without units: nothing the user could choose
    }
    model.chooseItem(quantity.selector, chosen);
    model.editText(quantity.box, typedNumber(value / chosenFactor, model.locale().decimalPoint));
}

// The item of a value list (CurD, WU) that reads as `value`: the items are the program's
// own numbers written with a full stop.
std::optional<int> listItemOf(const Control& list, double value) {
    for (std::size_t i = 0; i < list.items.size(); ++i) {
        if (parseNumber(list.items[i]) == value) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

// A value of the list is chosen from it; any other is typed into the editable list, where
// "Calculate AP" reads it and refuses it when it is out of range.
void chooseOrType(ChokeModel& model, std::string_view list, double value) {
    if (const auto item = listItemOf(model.control(list), value)) {
        model.chooseItem(list, *item);
    } else {
        model.editText(list, typedNumber(value, model.locale().decimalPoint));
    }
}

std::optional<std::string> problemOf(const SpecificationEntry& entry) {
    const std::pair<std::string_view, std::optional<double>> numbers[] = {
        {"inductance", entry.inductanceH},
        {"DC current", entry.dcCurrentA},
        {"ripple current", entry.ripplePeakToPeakA},
        {"frequency", entry.frequencyHz},
        {"flux density", entry.fluxDensityT},
        {"current density", entry.currentDensityAPerCm2},
        {"window utilisation", entry.windowUtilisation}};
    for (const auto& [name, value] : numbers) {
        if (value && !std::isfinite(*value)) {
            return "The " + std::string(name) + " is not a finite number";
        }
    }
    return std::nullopt;
}

}  // namespace

std::string typedNumber(double value, const std::string& decimalPoint, int significantDigits) {
    std::array<char, 64> buffer{};
    // Rounded to the digits first, then written in the shortest form that reads back.
    auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                             std::chars_format::scientific, significantDigits - 1)
                   .ptr;
    double rounded = 0;
    std::from_chars(buffer.data(), end, rounded);
    const double magnitude = std::fabs(rounded);
    const bool plain =
        magnitude == 0 || (magnitude >= kSmallestPlainNumber && magnitude < kLargestPlainNumber);
    end = plain ? std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded,
                                std::chars_format::fixed)
                      .ptr
                : std::to_chars(buffer.data(), buffer.data() + buffer.size(), rounded).ptr;
    std::string text(buffer.data(), end);
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalPoint);
    }
    return text;
}

std::optional<std::string> enterSpecification(ChokeModel& model, const SpecificationEntry& entry) {
    if (auto problem = problemOf(entry)) {
        return problem;
    }
    typeQuantity(model, kInductance, entry.inductanceH);
    typeQuantity(model, kDcCurrent, entry.dcCurrentA);
    typeQuantity(model, kRipple, entry.ripplePeakToPeakA);
    typeQuantity(model, kFrequency, entry.frequencyHz);
    if (entry.fluxDensityT) {
        typeQuantity(model, kFluxDensity, *entry.fluxDensityT);
    }
    if (entry.currentDensityAPerCm2) {
        chooseOrType(model, "CurD", *entry.currentDensityAPerCm2);
    }
    if (entry.windowUtilisation) {
        chooseOrType(model, "WU", *entry.windowUtilisation);
    }
    return std::nullopt;
}

}  // namespace coilsmith
