#include "windowmodel/ChokeControls.h"

#include <string>
#include <utility>

namespace coilsmith {

namespace {

Control textBox(std::string name, std::string text = {}, std::string toolTip = {}) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::TextBox;
    c.text = std::move(text);
    c.toolTip = std::move(toolTip);
    return c;
}

// A result or catalogue box the user reads but does not type into.
Control readOnlyBox(std::string name, std::string toolTip = {}) {
    Control c = textBox(std::move(name), {}, std::move(toolTip));
    c.readOnly = true;
    return c;
}

Control list(std::string name, std::vector<std::string> items, bool editable = false) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::ComboBox;
    c.items = std::move(items);
    c.editable = editable;
    return c;
}

// The core and material lists stay disabled until a core type is chosen.
Control catalogueList(std::string name) {
    Control c = list(std::move(name), {});
    c.enabled = false;
    return c;
}

Control option(std::string name) {
    Control c;
    c.name = std::move(name);
    c.kind = ControlKind::OptionButton;
    return c;
}

}  // namespace

std::vector<Control> makeDesignControls() {
    return {
        option("ECore"),
        option("Toroid"),
        catalogueList("Core"),
        textBox("Price"),
        textBox("fCore"),
        catalogueList("CoreMat"),
        readOnlyBox("CDact", "Actual Current Density"),
        readOnlyBox("FIdc", "DC Field Intensity"),
        readOnlyBox("FDac", "AC Flux Density"),
        readOnlyBox("FDmax", "Peak Flux Density"),
        readOnlyBox("TRISE", "Temperature Rise"),
        readOnlyBox("TWT", "Total Weight"),
        readOnlyBox("PTOT", "Total Power Loss"),
        readOnlyBox("COL", "Core Loss"),
        readOnlyBox("CUL", "Copper Loss"),
        readOnlyBox("DCR", "DC Resistance"),
        readOnlyBox("WAWG", "Wire AWG"),
        readOnlyBox("NTurns", "Number of Turns"),
        readOnlyBox("EffMu", "Effective Permeability"),
        readOnlyBox("Inductance", "Desired Inductance Value"),
        readOnlyBox("WinArea", "Window Area"),
        readOnlyBox("MPL", "Mean Path Length"),
        readOnlyBox("VCORE", "Vc"),
        readOnlyBox("ACORE", "Ac"),
        readOnlyBox("Mu", "Relative Permeability"),
        readOnlyBox("APROD", "Core AP"),
        readOnlyBox("minAP", "Minimum Required AP"),
        readOnlyBox("APR"),
        list("Bunit", {"mT", "T"}),
        textBox("FD", "0.5", "Flux Density"),
        list("WU", {"0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8"}, true),
        list("CurD", {"100", "200", "300", "400", "500", "600", "700", "800"}, true),
        list("Funit", {"Hz", "kHz", "MHz"}),
        textBox("Freq", "50"),
        list("ACunit", {"mA", "A"}),
        textBox("ACC", "5"),
        list("DCunit", {"mA", "A"}),
        textBox("DCC", "25"),
        textBox("Ldes", "25", "Inductance"),
        list("Lunit", {"uH", "mH", "H"}),
    };
}

}  // namespace coilsmith
