#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "TestCatalogues.h"
#include "catalogue/PhysicsInputs.h"
#include "catalogue/Records.h"

namespace coilsmith::catalogue {
namespace {

using Strings = std::vector<std::string>;

const CatalogueRecords& shipped() {
    static const CatalogueRecords records =
        CatalogueRecords::load(std::string(COILSMITH_BIN_DIR) + "/Cores.csx");
    return records;
}

using Values = std::vector<std::optional<double>>;

// Spot values as data/catalogue/*.csv hold them.
TEST(CatalogueRecords, ReadFromTheShippedCatalogue) {
    const CatalogueRecords& r = shipped();
    EXPECT_EQ((std::vector{r.cores().size(), r.materials().size(), r.biasCurves().size(),
                           r.wires().size()}),
              (std::vector<std::size_t>{30, 11, 11, 48}));
    // E-cores first, each kind in key order (texts compare as the index does).
    EXPECT_EQ(r.cores().front().name + " " + r.cores()[10].name, "E100 T106");

    const CoreRecord* e50 = r.findCore("e50");
    ASSERT_TRUE(e50);
    EXPECT_EQ(e50->shape(), CoreShape::ECore);
    // AC, VC, LC, WC, GAP, then a_dim, b_dim, c_dim, d_dim, f_dim, g_dim.
    const auto& e = std::get<ECoreDimensions>(e50->dimensions);
    EXPECT_EQ(
        (Values{e50->crossSectionCm2, e50->volumeCm3, e50->pathLengthCm, e50->windowCm2, e50->gapMm,
                e.overallWidthIn, e.overallHeightIn, e.stackDepthIn, e.innerSpanIn,
                e.centreLegWidthIn, e.windowHeightIn}),
        (Values{0.1009, 0.2744, 2.72, 0.2515, 0.0, 0.5, 0.4378, 0.1248, 0.3748, 0.1248, 0.3118}));
    EXPECT_EQ(e50->materials, (Strings{"-2", "-8", "-18", "-26", "-52"}));

    const CoreRecord* t106 = r.findCore("T106");
    ASSERT_TRUE(t106);
    EXPECT_EQ(t106->shape(), CoreShape::Toroid);
    const auto& t = std::get<ToroidDimensions>(t106->dimensions);
    EXPECT_EQ((Values{t106->crossSectionCm2, t106->windowCm2, t106->gapMm, t.outerDiameterIn,
                      t.innerDiameterIn, t.heightIn}),
              (Values{0.6417, {}, {}, 1.06, 0.57, 0.437}));
    EXPECT_FALSE(r.findCore("T106", CoreShape::ECore) || r.findCore("E50", CoreShape::Toroid));

    const MaterialRecord* mix52 = r.findMaterial("-52");
    ASSERT_TRUE(mix52);
    // Permeab, Density, ah, ch, eh, bb, db, al, cl, dl, Cost.
    EXPECT_EQ(
        (Values{mix52->initialPermeability, mix52->densityGPerCm3, mix52->biasFit.numeratorConstant,
                mix52->biasFit.numeratorLinear, mix52->biasFit.numeratorSquare,
                mix52->fluxFit.denominatorLinear, mix52->fluxFit.denominatorSquare,
                mix52->lossCubeCoefficient, mix52->lossPower1_65Coefficient,
                mix52->lossEddyCoefficient, mix52->relativeCost}),
        (Values{75, 7.0, 10000.0, -45.7676, 0.0613922, 0.0198183, -4.24347e-06, 1e9, 2.1e6, 6.9e-14,
                1.2}));

    const BiasCurveRecord* curve = r.findBiasCurve("-26");
    ASSERT_TRUE(curve);
    EXPECT_EQ((Values{curve->offset, curve->fieldFactor, curve->fieldExponent}),
              (Values{0.01, 9.7048e-06, 1.71977}));

    const WireRecord* awg13 = r.findWire(13);
    ASSERT_TRUE(awg13);
    EXPECT_EQ((Values{awg13->bareDiameterMm, awg13->overallDiameterMm, awg13->resistance20OhmPerKm,
                      r.findWire(-3)->bareDiameterMm}),
              (Values{1.8278, 1.8989, 6.57056, 11.684}));
    EXPECT_FALSE(r.findWire(45) || r.findMaterial("-28"));
}

TEST(CatalogueRecords, BecomePhysicsInputsInSi) {
    const auto t106 = physicsCore(*shipped().findCore("T106"));
    ASSERT_TRUE(t106) << t106.reason();
    const auto& outline = std::get<physics::ToroidOutline>(t106->outline);
    EXPECT_DOUBLE_EQ(outline.innerDiameterM, 0.57 * 0.0254);
    EXPECT_DOUBLE_EQ(t106->magnetic.crossSectionM2, 0.6417e-4);
    EXPECT_DOUBLE_EQ(t106->magnetic.volumeM3, 4.173e-6);
    EXPECT_DOUBLE_EQ(t106->magnetic.pathLengthM, 6.503e-2);
    // The hole: π·(0.57·0.0254 = 0.014478 m)²/4 = π·2.096125e-4/4 = 1.646293e-4 m².
    EXPECT_NEAR(t106->magnetic.windowAreaM2, 1.646293e-4, 1e-10);

    const auto e450 = physicsCore(*shipped().findCore("E450"));
    ASSERT_TRUE(e450);
    EXPECT_DOUBLE_EQ(e450->magnetic.windowAreaM2, 15.25e-4);
    EXPECT_DOUBLE_EQ(std::get<physics::ECoreOutline>(e450->outline).innerSpanM, 3.13 * 0.0254);

    const auto* mix26 = shipped().findMaterial("-26");
    const auto material = physicsMaterial(*mix26, shipped().findBiasCurve("-26"));
    ASSERT_TRUE(material && material->biasCurve);
    EXPECT_DOUBLE_EQ(material->densityKgPerM3, 7000);  // converted; the loss fit is copied
    EXPECT_EQ(material->loss.power2_3Coefficient, 1.1e8);
    EXPECT_EQ(material->relativeCost, 1.0);
    EXPECT_EQ(biasedMaterial(*mix26, *shipped().findBiasCurve("-26"))->initialPermeability, 75);

    const auto wire = physicsWireTable(shipped().wires()).find(16);
    ASSERT_TRUE(wire);
    EXPECT_DOUBLE_EQ(wire->insulatedDiameterM, 1.3645e-3);
    EXPECT_DOUBLE_EQ(wire->resistance20OhmPerM, 13.1742e-3);
}

constexpr double kInf = std::numeric_limits<double>::infinity();

CoreRecord usableToroid() {
    return {"T1", 0.6, 4.1, 6.5, {}, {}, ToroidDimensions{1.06, 0.57, 0.437}, {}};
}
CoreRecord usableECore() {
    return {"E1", 8.1, 176, 21.5, 15.2, 0, ECoreDimensions{4.5, 3.6, 1.0, 3.1, 1.0, 2.2}, {}};
}
MaterialRecord usableMaterial() {
    MaterialRecord m;
    m.name = "M1";
    m.initialPermeability = 75;
    m.densityGPerCm3 = 7.0;
    m.lossCubeCoefficient = 1e9;
    m.lossPower2_3Coefficient = 1.1e8;
    m.lossPower1_65Coefficient = 1.9e6;
    m.lossEddyCoefficient = 1.9e-13;
    return m;
}
const BiasCurveRecord kCurve{"M1", 0.01, 9.7e-6, 1.72};

template <class Make>
std::string reasonOf(Make make) {
    const auto result = make();
    return result ? "usable" : result.reason();
}

// Each unusable value is named by its catalogue field; the first in table order wins.
TEST(CatalogueRecords, AnUnusableValueIsNamedByItsField) {
    using CoreChange = void (*)(CoreRecord&);
    const std::tuple<CoreRecord, CoreChange, const char*> cores[] = {
        {usableToroid(), [](CoreRecord& c) { c.crossSectionCm2 = kInf, c.pathLengthCm.reset(); },
         "AC is not finite"},
        {usableECore(), [](CoreRecord& c) { c.dimensions = ECoreDimensions{4, 3, 1, 0, 1, 2}; },
         "d_dim is not positive"},
        {usableECore(), [](CoreRecord& c) { c.gapMm = -0.1; }, "GAP is negative"},
        {usableECore(), [](CoreRecord& c) { c.gapMm.reset(); }, "GAP is empty or not a number"}};
    for (auto [record, change, reason] : cores) {
        change(record);
        EXPECT_EQ(reasonOf([&] { return physicsCore(record); }), reason);
    }
    CoreRecord gapped = usableECore();
    gapped.gapMm = 0.5;
    EXPECT_DOUBLE_EQ(physicsCore(gapped)->magnetic.gapM, 0.5e-3);

    const BiasCurveRecord noExponent{"M1", 0.01, 9.7e-6, std::nullopt}, noOffset{"M1", 0, 1, 1};
    using MaterialChange = void (*)(MaterialRecord&);
    const std::tuple<MaterialChange, const BiasCurveRecord*, const char*> materials[] = {
        {[](MaterialRecord& m) { m.initialPermeability = 0; }, &kCurve, "Permeab is not positive"},
        {[](MaterialRecord& m) { m.lossPower2_3Coefficient = -1; }, &kCurve, "bl is negative"},
        {[](MaterialRecord& m) { m.lossEddyCoefficient = kInf; }, &kCurve, "dl is not finite"},
        {[](MaterialRecord&) {}, &noExponent, "the bias curve's c is empty or not a number"},
        {[](MaterialRecord&) {}, &noOffset, "the bias curve's a is not positive"}};
    for (const auto& [change, curve, reason] : materials) {
        MaterialRecord m = usableMaterial();
        change(m);
        EXPECT_EQ(reasonOf([&] { return physicsMaterial(m, curve); }), reason);
    }

    WireRecord wire{16, 1.29, 1.36, 0};
    EXPECT_EQ(reasonOf([&] { return physicsWire(wire); }), "Resistance20C is not positive");
    wire.bareDiameterMm.reset();
    EXPECT_EQ(reasonOf([&] { return physicsWire(wire); }), "BareDiameter is empty or not a number");
    EXPECT_FALSE(physicsWireTable({wire}).find(16));
}

// Through the reader: an empty cell and a text that is not a number read as nothing, and
// the core's materials follow the link table's index.
TEST(CatalogueRecords, EmptyAndTextCellsReadAsNothing) {
    testing::TempDir dir;
    const std::string file = dir.file("Cores.csx");
    auto tables = testing::goodCsv();
    tables["Toroids"] =
        "CoreNo,AC,VC,LC,OD,ID,HT\nT1,0.01,0.01,1.0,0.2,0.1,\nT2,x,0.03,1.5,0.3,0.15,0.1\n";
    // E20's materials by the index: -26, -2, then -40 (a link written "e20"); -26 once.
    tables["Core_Materials"] = "Core,Mat\nE20,-26\nE10,-2\nE20,-2\ne20,-40\nE20,-26\n";
    csx::buildCatalogue(tables, file, {.validate = false});
    const CatalogueRecords r = CatalogueRecords::load(file);
    EXPECT_EQ(reasonOf([&] { return physicsCore(*r.findCore("T1")); }),
              "HT is empty or not a number");
    EXPECT_EQ(reasonOf([&] { return physicsCore(*r.findCore("t2")); }),
              "AC is empty or not a number");
    EXPECT_EQ(r.findCore("E20")->materials, (Strings{"-26", "-2", "-40"}));
    EXPECT_EQ(r.findCore("T2")->materials, (Strings{"-26"}));
}

}  // namespace
}  // namespace coilsmith::catalogue
