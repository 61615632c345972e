// Core type selection and the core list of the core page.
#include <cstdint>

#include "design/ChokeModel.h"
#include "design/RecordSteps.h"
#include "magnetics/StepRunner.h"

namespace coilsmith {

void ChokeModel::ECore_Click() {
    Clear_ParamBoxes();
    setEnabled("Core", true);
    setEnabled("CoreMat", true);
    state_.IsECore = true;
    Select_ECore();
}

void ChokeModel::Toroid_Click() {
    Clear_ParamBoxes();
    setEnabled("Core", true);
    setEnabled("CoreMat", true);
    state_.IsECore = false;
    Select_Toroid();
}

void ChokeModel::Clear_ParamBoxes() {
    clearList("Core");
    clearList("CoreMat");
    for (const char* box : {"Mu", "APROD", "ACORE", "VCORE", "MPL", "WinArea"}) {
        setTextRaw(box, {});
    }
}

void ChokeModel::Select_ECore() {
    fillCoreList(sources_.Data1);
}

void ChokeModel::Select_Toroid() {
    fillCoreList(sources_.Data4);
}

// Lists every row of the table in the order the reopened table delivers them; a row whose
// core number cannot be read is left out and the walk goes on. The record count is not
// narrowed to 16 bits: a table may hold more than 32,767 cores.
void ChokeModel::fillCoreList(DataSource& cores) {
    if (!catalogueOpen_) {
        return;
    }
    StepRunner steps;
    steps.run([&] { refreshStep(cores); });
    steps.run([&] { records(cores).MoveLast(); });
    steps.run([&] { records(cores).MoveFirst(); });
    std::int64_t count = 0;
    steps.run([&] { count = records(cores).RecordCount(); });

    Control& list = mutableControl("Core");
    for (std::int64_t i = 0; i < count; ++i) {
        steps.run([&] { list.items.push_back(records(cores).Fields("CoreNo").toText(locale_)); });
        steps.run([&] { records(cores).MoveNext(); });
    }
}

void ChokeModel::Core_Click() {
    clearList("CoreMat");
    setTextRaw("Mu", {});
    if (state_.IsECore) {
        Click_Ecore();
    } else {
        Click_Toroid();
    }
}

// Walks the table from its first row to the first whose core number is exactly the text of
// Core, and stays there.
bool ChokeModel::findCore(DataSource& cores) {
    const std::string wanted = text("Core");
    StepRunner steps;
    steps.run([&] { refreshStep(cores); });
    steps.run([&] { records(cores).MoveLast(); });
    steps.run([&] { records(cores).MoveFirst(); });
    std::int64_t count = 0;
    steps.run([&] { count = records(cores).RecordCount(); });

    for (std::int64_t i = 0; i < count; ++i) {
        bool equal = false;
        steps.run([&] { equal = records(cores).Fields("CoreNo").toText(locale_) == wanted; });
        if (equal) {
            return true;
        }
        steps.run([&] { records(cores).MoveNext(); });
    }
    return false;
}

void ChokeModel::reportMissingCore() {
    // An empty Core text means nothing was picked; there is nothing to report then.
    if (!text("Core").empty()) {
        report("Core " + text("Core") + " is not in the catalogue " + cataloguePath_);
    }
}

}  // namespace coilsmith
