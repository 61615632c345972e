#include "catalogue/PhysicsInputs.h"

#include <cmath>
#include <optional>
#include <string>

#include "physics/Constants.h"

namespace coilsmith::catalogue {

namespace {

// The catalogue's units in SI.
constexpr double kMetresPerCm = 1e-2;
constexpr double kMetresPerMm = 1e-3;
constexpr double kSquareMetresPerSquareCm = 1 / physics::kSquareCmPerSquareMetre;
constexpr double kCubicMetresPerCubicCm = 1 / physics::kCubicCmPerCubicMetre;
constexpr double kKgPerM3PerGPerCm3 = 1e3;
constexpr double kOhmPerMPerOhmPerKm = 1e-3;

enum class Need { Positive, NotNegative };

// Reads the values a model needs in order and keeps the first that is unusable; after a
// problem every read gives 0 and the problem stays the first one.
class FieldReader {
  public:
    double operator()(const char* field, const std::optional<double>& value,
                      Need need = Need::Positive) {
        if (problem_)
            return 0;
        if (!value)
            problem_ = physics::problem(std::string(field) + " is empty or not a number");
        else if (!std::isfinite(*value))
            problem_ = physics::problem(std::string(field) + " is not finite");
        else if (need == Need::Positive && !(*value > 0))
            problem_ = physics::problem(std::string(field) + " is not positive");
        else if (need == Need::NotNegative && *value < 0)
            problem_ = physics::problem(std::string(field) + " is negative");
        return problem_ ? 0 : *value;
    }

    const std::optional<physics::Problem>& problem() const noexcept { return problem_; }

  private:
    std::optional<physics::Problem> problem_;
};

double metresOfInches(double inches) {
    return inches * physics::kMetresPerInch;
}

physics::Result<physics::Core> toroidCore(const CoreRecord& core, const ToroidDimensions& d,
                                          physics::MagneticCore magnetic, FieldReader& read) {
    const physics::ToroidOutline outline{metresOfInches(read("OD", d.outerDiameterIn)),
                                         metresOfInches(read("ID", d.innerDiameterIn)),
                                         metresOfInches(read("HT", d.heightIn))};
    if (read.problem())
        return *read.problem();
    magnetic.windowAreaM2 = physics::windowAreaM2(outline);
    return physics::Core{core.name, outline, magnetic};
}

physics::Result<physics::Core> eCore(const CoreRecord& core, const ECoreDimensions& d,
                                     physics::MagneticCore magnetic, FieldReader& read) {
    magnetic.windowAreaM2 = read("WC", core.windowCm2) * kSquareMetresPerSquareCm;
    const physics::ECoreOutline outline{metresOfInches(read("a_dim", d.overallWidthIn)),
                                        metresOfInches(read("b_dim", d.overallHeightIn)),
                                        metresOfInches(read("c_dim", d.stackDepthIn)),
                                        metresOfInches(read("d_dim", d.innerSpanIn)),
                                        metresOfInches(read("f_dim", d.centreLegWidthIn)),
                                        metresOfInches(read("g_dim", d.windowHeightIn))};
    magnetic.gapM = read("GAP", core.gapMm, Need::NotNegative) * kMetresPerMm;
    if (read.problem())
        return *read.problem();
    return physics::Core{core.name, outline, magnetic};
}

}  // namespace

physics::Result<physics::Core> physicsCore(const CoreRecord& core) {
    FieldReader read;
    physics::MagneticCore magnetic;
    magnetic.crossSectionM2 = read("AC", core.crossSectionCm2) * kSquareMetresPerSquareCm;
    magnetic.volumeM3 = read("VC", core.volumeCm3) * kCubicMetresPerCubicCm;
    magnetic.pathLengthM = read("LC", core.pathLengthCm) * kMetresPerCm;
    if (const auto* toroid = std::get_if<ToroidDimensions>(&core.dimensions))
        return toroidCore(core, *toroid, magnetic, read);
    return eCore(core, std::get<ECoreDimensions>(core.dimensions), magnetic, read);
}

physics::Result<physics::BiasCurve> physicsBiasCurve(const BiasCurveRecord& curve) {
    FieldReader read;
    const physics::BiasCurve out{read("the bias curve's a", curve.offset),
                                 read("the bias curve's b", curve.fieldFactor, Need::NotNegative),
                                 read("the bias curve's c", curve.fieldExponent)};
    if (read.problem())
        return *read.problem();
    return out;
}

physics::Result<physics::CoreLossFit> coreLossFit(const MaterialRecord& m) {
    FieldReader read;
    const physics::CoreLossFit fit{read("al", m.lossCubeCoefficient, Need::NotNegative),
                                   read("bl", m.lossPower2_3Coefficient, Need::NotNegative),
                                   read("cl", m.lossPower1_65Coefficient, Need::NotNegative),
                                   read("dl", m.lossEddyCoefficient, Need::NotNegative)};
    if (read.problem())
        return *read.problem();
    return fit;
}

physics::Result<physics::Material> physicsMaterial(const MaterialRecord& m,
                                                   const BiasCurveRecord* curve) {
    FieldReader read;
    physics::Material out;
    out.name = m.name;
    out.initialPermeability = read("Permeab", m.initialPermeability);
    out.densityKgPerM3 = read("Density", m.densityGPerCm3) * kKgPerM3PerGPerCm3;
    if (read.problem())
        return *read.problem();
    const auto loss = coreLossFit(m);
    if (!loss)
        return loss.problem();
    out.loss = *loss;
    if (curve) {
        const auto published = physicsBiasCurve(*curve);
        if (!published)
            return published.problem();
        out.biasCurve = *published;
    }
    const double cost = m.relativeCost.value_or(0);
    out.relativeCost = std::isfinite(cost) && cost >= 0 ? cost : 0;
    return out;
}

physics::Result<physics::BiasedMaterial> biasedMaterial(const MaterialRecord& material,
                                                        const BiasCurveRecord& curve) {
    FieldReader read;
    const double permeability = read("Permeab", material.initialPermeability);
    if (read.problem())
        return *read.problem();
    const auto published = physicsBiasCurve(curve);
    if (!published)
        return published.problem();
    return physics::BiasedMaterial{permeability, *published};
}

physics::Result<physics::Wire> physicsWire(const WireRecord& wire) {
    FieldReader read;
    const physics::Wire out{read("BareDiameter", wire.bareDiameterMm) * kMetresPerMm,
                            read("OverallDiameter", wire.overallDiameterMm) * kMetresPerMm,
                            read("Resistance20C", wire.resistance20OhmPerKm) * kOhmPerMPerOhmPerKm};
    if (read.problem())
        return *read.problem();
    return out;
}

physics::WireTable physicsWireTable(const std::vector<WireRecord>& wires) {
    std::vector<physics::GaugedWire> rows;
    rows.reserve(wires.size());
    for (const WireRecord& w : wires)
        if (const auto wire = physicsWire(w))
            rows.push_back({w.awg, *wire});
    return physics::WireTable(std::move(rows));
}

}  // namespace coilsmith::catalogue
