// Core type selection and the core list of the core page.
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>

#include "numeric/StepRunner.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/RecordSteps.h"

namespace coilsmith {

// The first row of each core number in the order the walk of findCore visits them,
// compared by the same text; rows whose number cannot be read are left out, as the walk
// skips them.
struct ChokeModel::CoreRowIndex {
    Recordset rows;  // the load of the table the positions belong to
    std::unordered_map<std::string, std::int64_t> firstRow;
};

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
    state_.IsECore = eCore;
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
    if (state_.IsECore) {
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

    if (const CoreRowIndex* index = coreRowsOf(cores)) {
        const auto row = index->firstRow.find(wanted);
        if (row == index->firstRow.end() || row->second >= count) {
            records(cores).setAbsolutePosition(count);  // where the walk ends
            return false;
        }
        return records(cores).setAbsolutePosition(row->second);
    }
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

std::shared_ptr<const ChokeModel::CoreRowIndex> ChokeModel::indexRows(DataSource cores,
                                                                      const NumberLocale& locale) {
    try {
        cores.refresh();
        auto index = std::make_shared<ChokeModel::CoreRowIndex>(
            ChokeModel::CoreRowIndex{cores.recordset(), {}});
        Recordset walk = index->rows;
        const std::int64_t count = walk.recordCount();
        index->firstRow.reserve(static_cast<std::size_t>(count));
        for (std::int64_t i = 0; i < count; ++i) {
            walk.setAbsolutePosition(i);
            try {
                index->firstRow.try_emplace(walk.field("CoreNo").toText(locale), i);
            } catch (const Fault&) {
            }
        }
        return index;
    } catch (const CatalogueError&) {
        return nullptr;  // picks walk the table, and meet the problem there
    }
}

void ChokeModel::indexCoreRows() {
    if (!catalogueOpen_) {
        return;
    }
    eCoreRows_ = indexRows(sources_.eCores, locale_);
    toroidRows_ = indexRows(sources_.toroids, locale_);
}

const ChokeModel::CoreRowIndex* ChokeModel::coreRowsOf(DataSource& cores) const {
    const auto& index = &cores == &sources_.eCores ? eCoreRows_ : toroidRows_;
    // A table read anew, or a record set still in an index order, is walked.
    if (index == nullptr || !cores.isOpen() || !cores.recordset().sharesRowsWith(index->rows) ||
        cores.recordset().index() != index->rows.index()) {
        return nullptr;
    }
    return index.get();
}

void ChokeModel::reportMissingCore() {
    // An empty Core text means nothing was picked; there is nothing to report then.
    if (!text("Core").empty()) {
        report("Core " + text("Core") + " is not in the catalogue " + cataloguePath_);
    }
}

}  // namespace coilsmith
