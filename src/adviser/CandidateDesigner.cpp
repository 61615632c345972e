#include "adviser/CandidateDesigner.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "method/CatalogueLoading.h"
#include "method/DesignComputation.h"
#include "method/ResultFormat.h"
#include "method/StateViews.h"

namespace coilsmith::adviser {

namespace {

// A core lists at most this many materials, as the design window's list does.
constexpr std::size_t kListedMaterials = 11;

std::optional<double> finiteOrNone(double value) {
    return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> known(Num value) {
    return value.isNull() ? std::nullopt : finiteOrNone(value.value());
}

void measureCheck(Candidate& c, const DesignCheck& check) {
    if (check.inductance.available()) {
        c.lIdcPercent = check.inductance.figures->atIdcPercent;
    }
    if (check.winding.available()) {
        c.woundFill = check.winding.figures->fill;
    }
    if (check.copper.available()) {
        c.hotRise = check.copper.figures->temperatureRiseC;
    }
    c.checkPassed = checkPasses(check);
}

void measure(Candidate& c, const DesignBasis& basis, const DesignState& s,
             const DesignOutcome& outcome, const DesignSelection& selection,
             const catalogue::MaterialRecord& material) {
    const DesignNumbers& n = outcome.numbers;
    const SizedSpecification& spec = basis.specification;
    c.turns = n.turns;
    c.awg = n.wireGauge;
    c.rdc = n.resistanceOhm;
    c.copperLoss = n.copperLossW;
    c.coreLoss = n.coreLossW;
    c.totalLoss = n.totalLossW;
    c.totalWeight = n.totalWeightG;
    c.tempRise = n.temperatureRiseC;
    c.bmax = n.peakFluxDensityT;
    c.bac = n.acFluxDensityT();
    c.hdc = n.dcFieldAPerCm();
    c.currentDensity = n.currentDensityAPerCm2;
    c.muEff = n.effectivePermeability;
    c.texts = resultTexts(outcome, selection);
    c.texts.relativeCost = resultTexts(outcome, selection, spec.locale).relativeCost;
    c.cost = material.relativeCost ? finiteOrNone(*material.relativeCost) : std::nullopt;

    c.coreAP = coreAreaProductCm4(s);
    const double minAP = spec.minimumAreaProductCm4;
    if (c.coreAP && minAP > 0) {
        c.apMargin = finiteOrNone(*c.coreAP / minAP);
    }
    const CoreView core = coreView(s);
    c.volume = known(core.volumeCm3);
    const auto window = known(core.windowAreaCm2);
    if (window && *window > 0) {
        c.fill = finiteOrNone(n.turns * n.wireAreaCm2 / *window);
    }
    DesignCheckInput in = designCheckInput(s, n, basis.references, spec.ambientC);
    in.minimumAreaProductCm4 = static_cast<double>(minAP);
    in.coreAreaProductCm4 = c.coreAP;
    measureCheck(c, checkDesign(in));
}

Candidate designMaterial(const DesignBasis& basis, const catalogue::CoreRecord& core,
                         const catalogue::MaterialRecord& material, int listIndex, DesignState& s) {
    Candidate c;
    c.type = core.shape() == catalogue::CoreShape::ECore ? CoreType::ECore : CoreType::Toroid;
    c.core = core.name;
    c.material = material.name;
    loadMaterial(s, material);
    const SizedSpecification& spec = basis.specification;
    const DesignSelection selection{material.name,           listIndex, spec.inductanceText,
                                    spec.inductanceUnitText, core.name, relativeCostOf(material)};
    try {
        const DesignOutcome outcome = computeDesign(s, selection);
        if (!outcome.completed()) {
            // Bad catalogue data is named, so the catalogue can be mended.
            c.reason = outcome.unusableValue ? *outcome.unusableValue : *outcome.message;
            return c;
        }
        c.completed = true;
        measure(c, basis, s, outcome, selection, material);
    } catch (const std::exception& e) {
        Candidate failed;
        failed.type = c.type;
        failed.core = std::move(c.core);
        failed.material = std::move(c.material);
        failed.reason = e.what();
        return failed;  // a design that could not be made is reported, never ranked
    }
    return c;
}

}  // namespace

std::string_view coreTypeName(CoreType type) noexcept {
    return type == CoreType::ECore ? "E-core" : "Toroid";
}

std::string_view coreTypeOption(CoreType type) noexcept {
    return type == CoreType::ECore ? "ECore" : "Toroid";
}

std::vector<const catalogue::MaterialRecord*> listedMaterials(
    const catalogue::CoreRecord& core, const catalogue::CatalogueRecords& records) {
    std::vector<const catalogue::MaterialRecord*> listed;
    const std::size_t links = std::min(core.materials.size(), kListedMaterials);
    for (std::size_t i = 0; i < links; ++i) {
        const catalogue::MaterialRecord* material = records.findMaterial(core.materials[i]);
        if (material != nullptr &&
            std::find(listed.begin(), listed.end(), material) == listed.end()) {
            listed.push_back(material);
        }
    }
    return listed;
}

void designCore(const DesignBasis& basis, const catalogue::CoreRecord& core,
                std::vector<Candidate>& out) {
    DesignState afterCore = basis.specification.state;
    selectCoreShape(afterCore, core.shape() == catalogue::CoreShape::ECore);
    loadCore(afterCore, core);
    const auto materials = listedMaterials(core, basis.records);
    DesignState working;
    for (std::size_t i = 0; i < materials.size(); ++i) {
        working = afterCore;
        out.push_back(designMaterial(basis, core, *materials[i], static_cast<int>(i), working));
    }
}

}  // namespace coilsmith::adviser
