// Loading the chosen core and material from the catalogue. Every step runs under the
// skip-and-continue rule: a step that faults leaves its box or field as it was.
#include <cmath>
#include <limits>
#include <string>

#include "method/MethodConstants.h"
#include "numeric/StepRunner.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/RecordSteps.h"

namespace coilsmith {

namespace {

constexpr int kMaxFurtherMaterials = 10;  // the list shows a core's first 11 materials

// A catalogue cell that is empty or not a number reads as null, which the design refuses
// by name, rather than leaving the previous core's or material's value in place.
Num numberOrNull(const Value& cell) {
    try {
        return cell.toNum();
    } catch (const Fault&) {
        return Num::null();
    }
}

// The same for a value held in single precision: NaN stands for null there.
float singleOrNaN(const Value& cell) {
    try {
        return toSingle(cell.toNum());
    } catch (const Fault&) {
        return std::numeric_limits<float>::quiet_NaN();
    }
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

    StepRunner steps;
    const auto field = [&](std::string_view name) {
        return numberOrNull(records(cores).field(name));
    };
    DesignState& s = state_;
    steps.run([&] { s.a_dim = field("a_dim"); });
    steps.run([&] { s.b_dim = field("b_dim"); });
    steps.run([&] { s.c_dim = field("c_dim"); });
    steps.run([&] { s.f_dim = field("f_dim"); });
    steps.run([&] { s.g_dim = field("g_dim"); });
    steps.run([&] { s.d_dim = field("d_dim"); });
    steps.run([&] { s.MLT = (s.c_dim * 2.0 + s.f_dim * 0.5 + s.g_dim * 1.5) * 2.54; });
    steps.run([&] {
        s.SurfArea = Num(2.0 * std::pow(2.54, 2)) *
                     (s.a_dim * s.b_dim + s.a_dim * s.c_dim + s.b_dim * s.c_dim);
    });
    steps.run([&] { s.Lc = field("LC"); });
    steps.run([&] { s.Ac = field("AC"); });
    steps.run([&] { s.Vc = field("VC"); });
    steps.run([&] { s.Wa = field("WC"); });
    steps.run([&] { s.Gap = field("GAP"); });
    steps.run([&] { s.coreRowProblem = records(cores).rowProblem(); });

    Value coreNo;
    steps.run([&] { coreNo = records(cores).field("CoreNo"); });
    listMaterials(sources_.eCoreMaterials, coreNo);
}

void ChokeModel::loadToroid() {
    DataSource& cores = sources_.toroids;
    if (!showCoreRow(cores)) {
        return;
    }

    StepRunner steps;
    const auto field = [&](std::string_view name) {
        return numberOrNull(records(cores).field(name));
    };
    DesignState& s = state_;
    steps.run([&] { s.OD = field("OD"); });
    steps.run([&] { s.ID = field("ID"); });
    steps.run([&] { s.HT = field("HT"); });

    // The hole of the toroid is its winding window; it starts at 0 so that a missing inner
    // diameter shows a zero window.
    float window = 0.0f;
    const Num inchAreaPi(std::pow(2.54, 2) * kPi);
    steps.run([&] { window = toSingle(inchAreaPi * pow(s.ID, 2) / 4.0); });
    steps.run([&] { setTextRaw("WinArea", formatFixed(window, 2, locale_)); });
    showAreaProduct();

    const double windingFactor = 1.1f;  // the winding build-up factor is a single
    steps.run([&] { s.MLT = Num(2.54) * ((s.OD - s.ID) + 2.0 * s.HT) * windingFactor; });
    steps.run([&] {
        s.SurfArea = inchAreaPi * ((pow(s.OD, 2) - pow(s.ID, 2)) / 2.0 + (s.OD + s.ID) * s.HT);
    });
    steps.run([&] { s.Lc = field("LC"); });
    steps.run([&] { s.Ac = field("AC"); });
    steps.run([&] { s.Vc = field("VC"); });
    s.Wa = Num(static_cast<double>(window));
    s.Gap = Num(0.0);
    steps.run([&] { s.coreRowProblem = records(cores).rowProblem(); });

    Value coreNo;
    steps.run([&] { coreNo = records(cores).field("CoreNo"); });
    listMaterials(sources_.toroidMaterials, coreNo);
}

// Lists the materials of the link rows of one core, in the link table's "CoreNo" index
// order: the row the seek lands on and at most ten more rows whose "Core" is exactly the
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
        if (!state_.MatNo.empty()) {
            steps.run([&] { records(materials).findByIndex("=", Value(state_.MatNo)); });
        }
        return;
    }

    const auto field = [&](std::string_view name) { return records(materials).field(name); };
    const auto number = [&](std::string_view name) { return numberOrNull(field(name)); };
    const auto single = [&](std::string_view name) { return singleOrNaN(field(name)); };
    DesignState& s = state_;
    steps.run([&] { setTextRaw("Mu", field("Permeab").toText(locale_)); });
    steps.run([&] { s.MatNo = field("MatNo").toText(locale_); });
    steps.run([&] { s.MuInit = single("Permeab"); });
    steps.run([&] { s.Density = number("Density"); });
    steps.run([&] { s.ah = number("ah"); });
    steps.run([&] { s.bh = number("bh"); });
    steps.run([&] { s.ch = number("ch"); });
    steps.run([&] { s.dh = number("dh"); });
    steps.run([&] { s.eh = number("eh"); });
    steps.run([&] { s.ab = number("ab"); });
    steps.run([&] { s.bb = number("bb"); });
    steps.run([&] { s.cb = number("cb"); });
    steps.run([&] { s.db = number("db"); });
    steps.run([&] { s.eb = single("eb"); });
    steps.run([&] { s.al = number("al"); });
    steps.run([&] { s.bl = number("bl"); });
    steps.run([&] { s.cl = number("cl"); });
    steps.run([&] { s.dl = single("dl"); });
    steps.run([&] { s.materialRowProblem = records(materials).rowProblem(); });
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
