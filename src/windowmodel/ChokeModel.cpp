#include "windowmodel/ChokeModel.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <stdexcept>
#include <unordered_map>
#include <utility>

#include "method/StateViews.h"
#include "windowmodel/ChokeControls.h"

namespace coilsmith {

namespace {

// Every model holds the window's controls in the same order, so one table of positions
// serves them all; the procedures look controls up by name at every step.
const std::unordered_map<std::string_view, std::size_t>& controlPositions() {
    static const std::vector<Control> controls = makeDesignControls();
    static const std::unordered_map<std::string_view, std::size_t> positions = [] {
        std::unordered_map<std::string_view, std::size_t> map;
        for (std::size_t i = 0; i < controls.size(); ++i) {
            map.try_emplace(controls[i].name, i);
        }
        return map;
    }();
    return positions;
}

// The controls a design is made from: the specification, its units and lists, the core
// type, the core and the material.
bool isDesignInput(std::string_view name) {
    static constexpr std::string_view kInputs[] = {
        "Ldes", "Lunit", "FD",   "Bunit", "DCC",   "DCunit", "ACC",  "ACunit",
        "Freq", "Funit", "CurD", "WU",    "ECore", "Toroid", "Core", "CoreMat"};
    return std::find(std::begin(kInputs), std::end(kInputs), name) != std::end(kInputs);
}

int itemIndex(const Control& control, std::string_view text) {
    const auto it = std::find(control.items.begin(), control.items.end(), text);
    return it == control.items.end() ? -1 : static_cast<int>(it - control.items.begin());
}

}  // namespace

ChokeModel::ChokeModel(Options options, Prompter& prompter, ChokeListener* listener)
    : controls_(makeDesignControls()),
      locale_(std::move(options.locale)),
      prompter_(&prompter),
      listener_(listener) {
    available_[kCorePage] = false;
    available_[kResultsPage] = false;

    setCreationTexts();

    state_ = initialDesignState(options.appDir);
    openCatalogue(options.cataloguePath.empty() ? coilsmith::cataloguePath(options.appDir)
                                                : options.cataloguePath);
}

void ChokeModel::setCreationTexts() {
    // The selectors start on the units of the default specification; the factors that
    // go with them are set separately, so no handler runs here.
    setTextRaw("Lunit", "uH");
    setTextRaw("Bunit", "T");
    setTextRaw("DCunit", "A");
    setTextRaw("ACunit", "A");
    setTextRaw("Funit", "kHz");
    setTextRaw("CurD", "400");
    setTextRaw("WU", "0.4");
}

void ChokeModel::openCatalogue(const std::string& path) {
    cataloguePath_ = path;
    try {
        sources_.openFile(path);
        catalogueOpen_ = true;
        // Read, but with something the user must know (a change left unfinished).
        if (const std::string notice = sources_.notice(); !notice.empty()) {
            report(notice);
        }
    } catch (const std::exception& e) {
        // Reported once here; the core and material procedures then find the catalogue
        // closed and leave their lists empty.
        catalogueOpen_ = false;
        std::string text = e.what();
        if (text.find(path) == std::string::npos) {
            text = "The catalogue " + path + " cannot be opened: " + text;
        }
        report(text);
    }
}

void ChokeModel::report(const std::string& text) {
    if (prompter_ != nullptr) {
        prompter_->message(text);
    }
}

const Control& ChokeModel::control(std::string_view name) const {
    const auto& positions = controlPositions();
    if (const auto at = positions.find(name); at != positions.end() &&
                                              at->second < controls_.size() &&
                                              controls_[at->second].name == name) {
        return controls_[at->second];
    }
    for (const Control& c : controls_) {
        if (c.name == name) {
            return c;
        }
    }
    throw std::out_of_range("no control named " + std::string(name));
}

// Every change to a control the design is made from, whatever its route (typing, a list,
// a design file, the frame's New), leaves the design shown without a check until the next
// completed Run.
Control& ChokeModel::mutableControl(std::string_view name) {
    if (isDesignInput(name)) {
        forgetCheck();
    }
    return const_cast<Control&>(std::as_const(*this).control(name));
}

void ChokeModel::forgetCheck() noexcept {
    lastCheck_.reset();
    lastCheckInput_.reset();
    lastDelivered_.reset();
}

void ChokeModel::editText(std::string_view name, std::string text) {
    Control& c = mutableControl(name);
    if (c.kind == ControlKind::TextBox) {
        c.text = std::move(text);
    } else if (c.kind == ControlKind::ComboBox && c.editable) {
        // Typed text is not a choice from the list: "Calculate AP" reads it.
        c.text = std::move(text);
        c.selectedIndex = -1;
    }
}

bool ChokeModel::setListText(std::string_view name, const std::string& text) {
    Control& c = mutableControl(name);
    if (c.kind != ControlKind::ComboBox) {
        return false;
    }
    const int index = itemIndex(c, text);
    if (index >= 0) {
        chooseItem(name, index);
        return true;
    }
    if (c.editable) {
        c.text = text;
        c.selectedIndex = -1;
        return true;
    }
    return false;
}

void ChokeModel::chooseItem(std::string_view name, int index) {
    Control& c = mutableControl(name);
    if (c.kind != ControlKind::ComboBox || index < 0 || index >= static_cast<int>(c.items.size())) {
        return;
    }
    c.selectedIndex = index;
    c.text = c.items[static_cast<std::size_t>(index)];
    runHandler(name);
}

void ChokeModel::setOption(std::string_view name, bool value) {
    Control& c = mutableControl(name);
    if (c.kind != ControlKind::OptionButton) {
        return;
    }
    if (!value) {
        c.value = false;
        return;
    }
    // The option buttons of the window form one group: choosing one clears the others.
    for (Control& other : controls_) {
        if (other.kind == ControlKind::OptionButton) {
            other.value = false;
        }
    }
    c.value = true;
    runHandler(name);
}

void ChokeModel::setTextRaw(std::string_view name, std::string text) {
    Control& c = mutableControl(name);
    if (c.kind == ControlKind::ComboBox) {
        c.selectedIndex = itemIndex(c, text);
    }
    c.text = std::move(text);
}

void ChokeModel::clearList(std::string_view name) {
    Control& c = mutableControl(name);
    c.items.clear();
    c.selectedIndex = -1;
    c.text.clear();
}

void ChokeModel::setEnabled(std::string_view name, bool enabled) {
    mutableControl(name).enabled = enabled;
}

void ChokeModel::runHandler(std::string_view name) {
    using Handler = void (ChokeModel::*)();
    static constexpr std::pair<std::string_view, Handler> handlers[] = {
        {"Lunit", &ChokeModel::applyInductanceUnit},
        {"DCunit", &ChokeModel::applyDcCurrentUnit},
        {"ACunit", &ChokeModel::applyRippleCurrentUnit},
        {"Funit", &ChokeModel::applyFrequencyUnit},
        {"Bunit", &ChokeModel::applyFluxDensityUnit},
        {"CurD", &ChokeModel::applyCurrentDensity},
        {"WU", &ChokeModel::applyWindowUtilisation},
        {"ECore", &ChokeModel::chooseECores},
        {"Toroid", &ChokeModel::chooseToroids},
        {"Core", &ChokeModel::selectCore},
        {"CoreMat", &ChokeModel::selectMaterial},
    };
    for (const auto& [control, handler] : handlers) {
        if (control == name) {
            (this->*handler)();
            return;
        }
    }
}

}  // namespace coilsmith
