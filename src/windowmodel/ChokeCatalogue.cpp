// Loading the chosen core and material from the catalogue. Every step runs under the
// skip-and-continue rule: a step that faults leaves its box or field as it was.
#include <optional>
#include <string>

#include "catalogue/Records.h"
#include "method/CatalogueLoading.h"
#include "method/StateViews.h"
#include "numeric/StepRunner.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/RecordSteps.h"

namespace coilsmith {

namespace {

constexpr int kMaxFurtherMaterials = 10;  // the list shows a core's first 11 materials

// A catalogue cell as a record's number: empty for an empty cell or one that holds no number.
std::optional<double> numberOrEmpty(const Recordset& row, std::string_view field) {
    try {
        const Num value = row.field(field).toNum();
        return value.isNull() ? std::nullopt : std::optional<double>(value.value());
    } catch (const Fault&) {
        return std::nullopt;
    }
}

// The current row of a core table as the catalogue's record of it (its materials aside).
catalogue::CoreRecord coreRecordOf(const Recordset& row, bool eCore) {
    const auto number = [&](std::string_view field) { return numberOrEmpty(row, field); };
    catalogue::CoreRecord core;
    try {
        core.name = row.field("CoreNo").toText();
    } catch (const Fault&) {
    }
    core.crossSectionCm2 = number("AC");
    core.volumeCm3 = number("VC");
    core.pathLengthCm = number("LC");
    if (eCore) {
        core.windowCm2 = number("WC");
        core.gapMm = number("GAP");
        core.dimensions =
            catalogue::ECoreDimensions{number("a_dim"), number("b_dim"), number("c_dim"),
                                       number("d_dim"), number("f_dim"), number("g_dim")};
    } else {
        core.dimensions = catalogue::ToroidDimensions{number("OD"), number("ID"), number("HT")};
    }
    return core;
}

// The current row of "Materials" as the catalogue's record of it.
catalogue::MaterialRecord materialRecordOf(const Recordset& row, const NumberLocale& locale) {
    const auto number = [&](std::string_view field) { return numberOrEmpty(row, field); };
    const auto fit = [&](char suffix) {
        const auto field = [&](char letter) { return number(std::string{letter, suffix}); };
        return catalogue::RationalFitRecord{field('a'), field('b'), field('c'), field('d'),
                                            field('e')};
    };
    catalogue::MaterialRecord m;
    try {
        m.name = row.field("MatNo").toText(locale);
    } catch (const Fault&) {
    }
    m.initialPermeability = number("Permeab");
    m.densityGPerCm3 = number("Density");
    m.biasFit = fit('h');
    m.fluxFit = fit('b');
    m.lossCubeCoefficient = number("al");
    m.lossPower2_3Coefficient = number("bl");
    m.lossPower1_65Coefficient = number("cl");
    m.lossEddyCoefficient = number("dl");
    m.relativeCost = number("Cost");
    return m;
}

}  // namespace

void ChokeModel::showCatalogueText(std::string_view box, DataSource& cores,
                                   std::string_view field) {
    StepRunner().run([&] { setTextRaw(box, records(cores).field(field).toText(locale_)); });
}

// The area product is taken from the texts the boxes show, so a toroid's rounded window
// area enters it.
void ChokeModel::showAreaProduct() {
    const auto ac = parseNumber(text("ACORE"), locale_);
    const auto wa = parseNumber(text("WinArea"), locale_);
    if (!ac || !wa) {
        return;
    }
    StepRunner().run(
        [&] { setTextRaw("APROD", formatFixed(checkedFinite(*ac * *wa), 3, locale_)); });
}

// Finds the row of the core named in Core and shows its cross-section, volume and path
// length. False, with a message, when the catalogue has no such core.
bool ChokeModel::showCoreRow(DataSource& cores) {
    if (!catalogueOpen_) {
        return false;
    }
    if (!findCore(cores)) {
        reportMissingCore();
        return false;
    }
    showCatalogueText("ACORE", cores, "AC");
    showCatalogueText("VCORE", cores, "VC");
    showCatalogueText("MPL", cores, "LC");
    return true;
}

void ChokeModel::loadECore() {
    DataSource& cores = sources_.eCores;
    if (!showCoreRow(cores)) {
        return;
    }
    showCatalogueText("WinArea", cores, "WC");
    showAreaProduct();

    loadCore(state_, coreRecordOf(records(cores), true));

    StepRunner steps;
    Value coreNo;
    steps.run([&] { coreNo = records(cores).field("CoreNo"); });
    listMaterials(sources_.eCoreMaterials, coreNo);
}

void ChokeModel::loadToroid() {
    DataSource& cores = sources_.toroids;
    if (!showCoreRow(cores)) {
        return;
    }

    loadCore(state_, coreRecordOf(records(cores), false));

    // The hole of the toroid is its winding window, held in single precision.
    StepRunner steps;
    steps.run([&] {
        setTextRaw("WinArea", formatFixed(coreView(state_).windowAreaCm2.value(), 2, locale_));
    });
    showAreaProduct();

    Value coreNo;
    steps.run([&] { coreNo = records(cores).field("CoreNo"); });
    listMaterials(sources_.toroidMaterials, coreNo);
}

// Lists the materials of the link rows of one core, in the link table's "CoreNo" index
// order: the row the find lands on and at most ten more rows whose "Core" is exactly the
// core's number. A core without link rows lists nothing; a link to a material that is not
// in "Materials" is left out.
void ChokeModel::listMaterials(DataSource& links, const Value& coreNo) {
    DataSource& materials = sources_.materials;
    StepRunner steps;
    steps.run([&] { records(links).goToFirst(); });
    steps.run([&] { records(materials).goToFirst(); });

    bool found = false;
    steps.run([&] {
        Recordset& r = records(links);
        r.findByIndex("=", coreNo);
        found = !r.lastFindFailed() && r.hasCurrent();
    });
    if (!found) {
        return;
    }
    std::string coreKey;
    steps.run([&] { coreKey = coreNo.toText(locale_); });

    Control& list = mutableControl("CoreMat");
    const auto appendLinkedMaterial = [&] {
        steps.run([&] {
            Recordset& m = records(materials);
            m.findByIndex("=", records(links).field("Mat"));
            if (!m.lastFindFailed() && m.hasCurrent()) {
                list.items.push_back(m.field("MatNo").toText(locale_));
            }
        });
    };
    appendLinkedMaterial();
    for (int i = 0; i < kMaxFurtherMaterials; ++i) {
        bool sameCore = false;
        steps.run([&] {
            Recordset& r = records(links);
            r.goToNext();
            sameCore = !r.atEnd() && r.field("Core").toText(locale_) == coreKey;
        });
        if (!sameCore) {
            break;
        }
        appendLinkedMaterial();
    }
}

void ChokeModel::selectMaterial() {
    if (!catalogueOpen_) {
        return;
    }
    DataSource& materials = sources_.materials;
    const std::string key = text("CoreMat");
    StepRunner steps;
    steps.run([&] { records(materials).goToFirst(); });
    bool found = false;
    steps.run([&] {
        Recordset& r = records(materials);
        r.findByIndex("=", Value(key));
        found = !r.lastFindFailed() && r.hasCurrent();
    });
    if (!found) {
        // The previous material stays in force, and so does its record, whose cost the
        // next design run shows.
        if (!key.empty()) {
            report("Material " + key + " is not in the catalogue " + cataloguePath_);
        }
        if (const std::string held = materialView(state_).name; !held.empty()) {
            steps.run([&] { records(materials).findByIndex("=", Value(held)); });
        }
        return;
    }

    steps.run([&] { setTextRaw("Mu", records(materials).field("Permeab").toText(locale_)); });
    loadMaterial(state_, materialRecordOf(records(materials), locale_));
}

void ChokeModel::chooseDesignCore(const std::string& core, const std::string& material) {
    const bool coreChosen = setListText("Core", core);
    const bool materialChosen = setListText("CoreMat", material);
    // Without a catalogue nothing can be chosen, and that was said when it failed to open;
    // a design of no core type lists no cores to choose from, which the core page shows.
    if (!catalogueOpen_ || !(control("ECore").value || control("Toroid").value)) {
        return;
    }
    if (!core.empty() && !coreChosen) {
        report("The core " + core + " of this design is not in the catalogue");
    } else if (coreChosen && !material.empty() && !materialChosen) {
        report("The material " + material + " of this design is not listed for the core " + core);
    }
}

std::optional<Value> ChokeModel::currentCost() {
    if (!catalogueOpen_) {
        return std::nullopt;
    }
    try {
        return records(sources_.materials).field("Cost");
    } catch (const Fault&) {
        return std::nullopt;
    }
}

}  // namespace coilsmith
