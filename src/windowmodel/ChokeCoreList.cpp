// Core type selection and the core list of the core page.
#include <cstdint>
#include <string>

#include "method/StateViews.h"
#include "numeric/StepRunner.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/RecordSteps.h"

namespace coilsmith {

void ChokeModel::chooseECores() {
    chooseCoreType(true);
}

void ChokeModel::chooseToroids() {
    chooseCoreType(false);
}

// Either core type starts from empty parameter boxes and lists, both lists enabled.
void ChokeModel::chooseCoreType(bool eCore) {
    clearCoreParameters();
    setEnabled("Core", true);
    setEnabled("CoreMat", true);
    selectCoreShape(state_, eCore);
    eCore ? listECores() : listToroids();
}

void ChokeModel::clearCoreParameters() {
    clearList("Core");
    clearList("CoreMat");
    for (const char* box : kCorePageBoxes) {
        setTextRaw(box, {});
    }
}

void ChokeModel::listECores() {
    fillCoreList(sources_.eCores);
}

void ChokeModel::listToroids() {
    fillCoreList(sources_.toroids);
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
    steps.run([&] { records(cores).goToLast(); });
    steps.run([&] { records(cores).goToFirst(); });
    std::int64_t count = 0;
    steps.run([&] { count = records(cores).recordCount(); });

    Control& list = mutableControl("Core");
    for (std::int64_t i = 0; i < count; ++i) {
        steps.run([&] { list.items.push_back(records(cores).field("CoreNo").toText(locale_)); });
        steps.run([&] { records(cores).goToNext(); });
    }
}

void ChokeModel::selectCore() {
    clearList("CoreMat");
    setTextRaw("Mu", {});
    if (coreView(state_).isECore) {
        loadECore();
    } else {
        loadToroid();
    }
}

// Walks the table from its first row to the first whose core number is exactly the text of
// Core, and stays there.
bool ChokeModel::findCore(DataSource& cores) {
    const std::string wanted = text("Core");
    StepRunner steps;
    steps.run([&] { refreshStep(cores); });
    steps.run([&] { records(cores).goToLast(); });
    steps.run([&] { records(cores).goToFirst(); });
    std::int64_t count = 0;
    steps.run([&] { count = records(cores).recordCount(); });

    for (std::int64_t i = 0; i < count; ++i) {
        bool equal = false;
        steps.run([&] { equal = records(cores).field("CoreNo").toText(locale_) == wanted; });
        if (equal) {
            return true;
        }
        steps.run([&] { records(cores).goToNext(); });
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
