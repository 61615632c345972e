#include "method/CatalogueLoading.h"

#include <cmath>
#include <limits>

#include "catalogue/CatalogueSchema.h"
#include "catalogue/RowRules.h"
#include "method/MethodConstants.h"
#include "numeric/StepRunner.h"

namespace coilsmith {

namespace {

using catalogue::CoreRecord;
using catalogue::ECoreDimensions;
using catalogue::MaterialRecord;
using catalogue::ToroidDimensions;

constexpr double kCmPerInch = 2.54;
// The winding build-up over a toroid's cross-section, held in single precision.
constexpr double kToroidWindingFactor = 1.1f;

Num numberOf(const std::optional<double>& value) {
    return value ? Num(*value) : Num::null();
}

// A value held in single precision: NaN stands for null there, and for a value out of range.
float singleOf(const std::optional<double>& value) {
    try {
        return toSingle(numberOf(value));
    } catch (const Fault&) {
        return std::numeric_limits<float>::quiet_NaN();
    }
}

std::string problemText(std::string_view table, const std::string& row,
                        const rowrules::CellNumber& number) {
    const auto problem = rowrules::checkRow(table, number);
    if (!problem) {
        return {};
    }
    return "field \"" + problem->field + "\" of " + row + " in table \"" + std::string(table) +
           "\" " + problem->reason;
}

std::optional<double> coreField(const CoreRecord& core, std::string_view field) {
    if (field == "AC")
        return core.crossSectionCm2;
    if (field == "VC")
        return core.volumeCm3;
    if (field == "LC")
        return core.pathLengthCm;
    if (const auto* e = std::get_if<ECoreDimensions>(&core.dimensions)) {
        if (field == "WC")
            return core.windowCm2;
        if (field == "GAP")
            return core.gapMm;
        if (field == "a_dim")
            return e->overallWidthIn;
        if (field == "b_dim")
            return e->overallHeightIn;
        if (field == "c_dim")
            return e->stackDepthIn;
        if (field == "d_dim")
            return e->innerSpanIn;
        if (field == "f_dim")
            return e->centreLegWidthIn;
        if (field == "g_dim")
            return e->windowHeightIn;
        return std::nullopt;
    }
    const auto& t = std::get<ToroidDimensions>(core.dimensions);
    if (field == "OD")
        return t.outerDiameterIn;
    if (field == "ID")
        return t.innerDiameterIn;
    if (field == "HT")
        return t.heightIn;
    return std::nullopt;
}

std::optional<double> materialField(const MaterialRecord& m, std::string_view field) {
    const std::pair<std::string_view, const std::optional<double>*> fields[] = {
        {"Permeab", &m.initialPermeability},
        {"Density", &m.densityGPerCm3},
        {"ah", &m.biasFit.numeratorConstant},
        {"bh", &m.biasFit.denominatorLinear},
        {"ch", &m.biasFit.numeratorLinear},
        {"dh", &m.biasFit.denominatorSquare},
        {"eh", &m.biasFit.numeratorSquare},
        {"ab", &m.fluxFit.numeratorConstant},
        {"bb", &m.fluxFit.denominatorLinear},
        {"cb", &m.fluxFit.numeratorLinear},
        {"db", &m.fluxFit.denominatorSquare},
        {"eb", &m.fluxFit.numeratorSquare},
        {"al", &m.lossCubeCoefficient},
        {"bl", &m.lossPower2_3Coefficient},
        {"cl", &m.lossPower1_65Coefficient},
        {"dl", &m.lossEddyCoefficient},
        {"Cost", &m.relativeCost},
    };
    for (const auto& [name, value] : fields) {
        if (name == field) {
            return *value;
        }
    }
    return std::nullopt;
}

void loadECore(DesignState& s, const CoreRecord& core, const ECoreDimensions& e) {
    StepRunner steps;
    s.a_dim = numberOf(e.overallWidthIn);
    s.b_dim = numberOf(e.overallHeightIn);
    s.c_dim = numberOf(e.stackDepthIn);
    s.f_dim = numberOf(e.centreLegWidthIn);
    s.g_dim = numberOf(e.windowHeightIn);
    s.d_dim = numberOf(e.innerSpanIn);
    steps.run([&] { s.MLT = (s.c_dim * 2.0 + s.f_dim * 0.5 + s.g_dim * 1.5) * kCmPerInch; });
    steps.run([&] {
        s.SurfArea = Num(2.0 * std::pow(kCmPerInch, 2)) *
                     (s.a_dim * s.b_dim + s.a_dim * s.c_dim + s.b_dim * s.c_dim);
    });
    s.Lc = numberOf(core.pathLengthCm);
    s.Ac = numberOf(core.crossSectionCm2);
    s.Vc = numberOf(core.volumeCm3);
    s.Wa = numberOf(core.windowCm2);
    s.Gap = numberOf(core.gapMm);
}

void loadToroid(DesignState& s, const CoreRecord& core, const ToroidDimensions& t) {
    StepRunner steps;
    s.OD = numberOf(t.outerDiameterIn);
    s.ID = numberOf(t.innerDiameterIn);
    s.HT = numberOf(t.heightIn);
    // The hole is the winding window; it starts at 0 so that a missing inner diameter
    // gives a zero window.
    float window = 0.0f;
    const Num inchAreaPi(std::pow(kCmPerInch, 2) * kPi);
    steps.run([&] { window = toSingle(inchAreaPi * pow(s.ID, 2) / 4.0); });
    steps.run(
        [&] { s.MLT = Num(kCmPerInch) * ((s.OD - s.ID) + 2.0 * s.HT) * kToroidWindingFactor; });
    steps.run([&] {
        s.SurfArea = inchAreaPi * ((pow(s.OD, 2) - pow(s.ID, 2)) / 2.0 + (s.OD + s.ID) * s.HT);
    });
    s.Lc = numberOf(core.pathLengthCm);
    s.Ac = numberOf(core.crossSectionCm2);
    s.Vc = numberOf(core.volumeCm3);
    s.Wa = Num(static_cast<double>(window));
    s.Gap = Num(0.0);
}

}  // namespace

std::string rowProblemOf(const CoreRecord& core) {
    const std::string_view table =
        core.shape() == catalogue::CoreShape::ECore ? schema::kECores : schema::kToroids;
    return problemText(table, core.name,
                       [&](std::string_view field) { return coreField(core, field); });
}

std::string rowProblemOf(const MaterialRecord& material) {
    return problemText(schema::kMaterials, material.name,
                       [&](std::string_view field) { return materialField(material, field); });
}

void loadCore(DesignState& state, const CoreRecord& core) {
    if (const auto* e = std::get_if<ECoreDimensions>(&core.dimensions)) {
        loadECore(state, core, *e);
    } else {
        loadToroid(state, core, std::get<ToroidDimensions>(core.dimensions));
    }
    state.coreRowProblem = rowProblemOf(core);
}

void loadMaterial(DesignState& s, const MaterialRecord& m) {
    s.MatNo = m.name;
    s.MuInit = singleOf(m.initialPermeability);
    s.Density = numberOf(m.densityGPerCm3);
    s.ah = numberOf(m.biasFit.numeratorConstant);
    s.bh = numberOf(m.biasFit.denominatorLinear);
    s.ch = numberOf(m.biasFit.numeratorLinear);
    s.dh = numberOf(m.biasFit.denominatorSquare);
    s.eh = numberOf(m.biasFit.numeratorSquare);
    s.ab = numberOf(m.fluxFit.numeratorConstant);
    s.bb = numberOf(m.fluxFit.denominatorLinear);
    s.cb = numberOf(m.fluxFit.numeratorLinear);
    s.db = numberOf(m.fluxFit.denominatorSquare);
    s.eb = singleOf(m.fluxFit.numeratorSquare);
    s.al = numberOf(m.lossCubeCoefficient);
    s.bl = numberOf(m.lossPower2_3Coefficient);
    s.cl = numberOf(m.lossPower1_65Coefficient);
    s.dl = singleOf(m.lossEddyCoefficient);
    s.materialRowProblem = rowProblemOf(m);
}

Value relativeCostOf(const MaterialRecord& material) {
    return material.relativeCost ? Value(*material.relativeCost) : Value();
}

std::optional<double> coreAreaProductCm4(const DesignState& state) {
    if (state.Wa.isNull() || state.Ac.isNull()) {
        return std::nullopt;
    }
    const double product = state.Wa.value() * state.Ac.value();
    return std::isfinite(product) ? std::optional<double>(product) : std::nullopt;
}

}  // namespace coilsmith
