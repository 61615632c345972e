#include "check/DeliveredCheck.h"

#include <exception>

#include "catalogue/PhysicsInputs.h"
#include "physics/Ripple.h"

namespace coilsmith {

namespace {

// L(I) of the delivered turns on the stacked core, from 0 to twice Ipk as the check's curve.
std::vector<physics::InductancePoint> deliveredCurve(const catalogue::CatalogueRecords& records,
                                                     const physics::ChokeSpecification& spec,
                                                     catalogue::CoreShape shape,
                                                     const std::string& core,
                                                     const std::string& material,
                                                     const physics::DeliveredDesign& design) {
    const catalogue::CoreRecord* coreRecord = records.findCore(core, shape);
    const catalogue::MaterialRecord* materialRecord = records.findMaterial(material);
    const catalogue::BiasCurveRecord* curveRecord =
        materialRecord ? records.findBiasCurve(materialRecord->name) : nullptr;
    if (!design.inductance || !coreRecord || !curveRecord)
        return {};
    const auto physicsCore = catalogue::physicsCore(*coreRecord);
    const auto biased = catalogue::biasedMaterial(*materialRecord, *curveRecord);
    if (!physicsCore || !biased)
        return {};
    const auto stacked = physics::stacked(physicsCore->magnetic, design.stackCount);
    if (!stacked)
        return {};
    const auto model = physics::InductanceModel::make(*stacked, *biased);
    if (!model)
        return {};
    const double top = 2 * physics::peakCurrentA(spec.dcCurrentA, spec.ripplePeakToPeakA);
    const auto points = model->curve(design.inductance->turns, top, kDeliveredCurvePoints);
    return points ? *points : std::vector<physics::InductancePoint>{};
}

}  // namespace

DeliveredRecords DeliveredRecords::load(const std::string& catalogueFile) {
    try {
        return {catalogueFile,
                std::make_shared<const catalogue::CatalogueRecords>(
                    catalogue::CatalogueRecords::load(catalogueFile)),
                {}};
    } catch (const std::exception& error) {
        return {catalogueFile, nullptr, error.what()};
    }
}

DeliveredCheck deliverCheckedDesign(const DeliveredRecords& records,
                                    const physics::ChokeSpecification& specification,
                                    double ambientC, catalogue::CoreShape shape,
                                    const std::string& core, const std::string& material,
                                    StackChoice stack) {
    DeliveredCheck check;
    if (!records.records) {
        check.problem = records.problem;
        return check;
    }
    auto design = deliverCatalogueChoke(*records.records, specification, ambientC, shape, core,
                                        material, stack);
    if (!design) {
        check.problem = design.reason();
        return check;
    }
    check.design = *design;
    check.curve =
        deliveredCurve(*records.records, specification, shape, core, material, *check.design);
    return check;
}

}  // namespace coilsmith
