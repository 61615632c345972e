#include "check/DeliveredChoke.h"

#include <string>

#include "catalogue/PhysicsInputs.h"

namespace coilsmith {

physics::Result<physics::WireTable> wireForSpecification(
    const catalogue::CatalogueRecords& records, const physics::ChokeSpecification& specification) {
    const physics::Result<int> awg =
        physics::wireGaugeFor(specification.rmsCurrentA, specification.currentDensityAPerM2);
    if (!awg)
        return awg.problem();
    const std::string gauge = "AWG " + std::to_string(*awg);
    const catalogue::WireRecord* row = records.findWire(*awg);
    if (!row)
        return physics::problem(gauge + " is outside the wire table");
    const physics::Result<physics::Wire> wire = catalogue::physicsWire(*row);
    if (!wire)
        return physics::problem(gauge + ": " + wire.reason());
    return physics::WireTable({{*awg, *wire}});
}

physics::Result<physics::DeliveredDesign> deliverCatalogueChoke(
    const catalogue::CatalogueRecords& records, const physics::ChokeSpecification& specification,
    double ambientC, catalogue::CoreShape shape, std::string_view core, std::string_view material,
    StackChoice stack) {
    if (stack.count && (*stack.count < 1 || *stack.count > physics::kMaxStackedCores))
        return physics::problem("the stack must be 1 to " +
                                std::to_string(physics::kMaxStackedCores) + " cores, not " +
                                std::to_string(*stack.count));
    const catalogue::CoreRecord* coreRecord = records.findCore(core, shape);
    if (!coreRecord)
        return physics::problem("the core " + std::string(core) + " is not in the catalogue");
    const catalogue::MaterialRecord* materialRecord = records.findMaterial(material);
    if (!materialRecord)
        return physics::problem("the material " + std::string(material) +
                                " is not in the catalogue");
    const physics::Result<physics::Core> physicsCore = catalogue::physicsCore(*coreRecord);
    if (!physicsCore)
        return physicsCore.problem();
    const physics::Result<physics::Material> physicsMaterial =
        catalogue::physicsMaterial(*materialRecord, records.findBiasCurve(materialRecord->name));
    if (!physicsMaterial)
        return physicsMaterial.problem();
    const physics::Result<physics::WireTable> wire = wireForSpecification(records, specification);
    if (!wire)
        return wire.problem();

    const physics::DeliveredDesignInput input{specification, *physicsCore, *physicsMaterial,
                                              ambientC};
    if (stack.count)
        return physics::deliverDesign(input, *wire, *stack.count);
    if (auto passing = physics::smallestPassingStack(input, *wire))
        return *std::move(passing);
    return physics::deliverDesign(input, *wire, physics::kMaxStackedCores);
}

}  // namespace coilsmith
