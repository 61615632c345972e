#pragma once

#include <vector>

#include "catalogue/Records.h"
#include "physics/CoreLoss.h"
#include "physics/DeliveredDesign.h"
#include "physics/Inductance.h"
#include "physics/Result.h"
#include "physics/Winding.h"

// Catalogue records made into the physics core's inputs, in SI. A value the model needs that
// is missing, not finite or out of range gives a Problem naming the catalogue field the way
// the adviser names unusable values: "HT is empty or not a number", "AC is not positive",
// "GAP is negative". Fields are checked in the table's order; the first problem is given.
// Relations between values (an inner diameter below the outer) are the physics core's to judge.
namespace coilsmith::catalogue {

// Outline in metres; section, path, volume, window and gap in SI. A toroid's window is its
// hole π·ID²/4 and it has no gap; an E-core's window is WC.
physics::Result<physics::Core> physicsCore(const CoreRecord& core);

// a and c positive, b not negative.
physics::Result<physics::BiasCurve> physicsBiasCurve(const BiasCurveRecord& curve);

// al … dl not negative.
physics::Result<physics::CoreLossFit> coreLossFit(const MaterialRecord& material);

// Permeab and Density positive, the loss fit and the curve as above. `curve` is null when the
// catalogue has none for it (the material is then given without one, and a delivered design says
// so). The relative cost is 0 when Cost is empty, negative or not finite: no design needs it.
physics::Result<physics::Material> physicsMaterial(const MaterialRecord& material,
                                                   const BiasCurveRecord* curve);

// What the inductance model needs: Permeab and the published curve.
physics::Result<physics::BiasedMaterial> biasedMaterial(const MaterialRecord& material,
                                                        const BiasCurveRecord& curve);

// Diameters and resistance positive.
physics::Result<physics::Wire> physicsWire(const WireRecord& wire);

// Every gauge whose row is usable; a gauge whose row is not reads as outside the table.
physics::WireTable physicsWireTable(const std::vector<WireRecord>& wires);

}  // namespace coilsmith::catalogue
