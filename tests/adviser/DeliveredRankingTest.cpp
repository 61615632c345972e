#include "adviser/DeliveredRanking.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace coilsmith::adviser {
namespace {

using catalogue::CatalogueRecords;
using Identity = std::tuple<std::string, std::string, int>;

const CatalogueRecords& shipped() {
    static const CatalogueRecords records = CatalogueRecords::load(COILSMITH_SHIPPED_CATALOGUE);
    return records;
}

// J 400 A/cm², Ku 0.4; Irms = √(Idc² + (ΔI/2/√3)²) as the sizing takes it.
DeliveredRankingRequest request(double l, double idc, double ripple, double f) {
    const double rippleRms = ripple / 2 / std::sqrt(3.0);
    DeliveredRankingRequest r;
    r.specification = {l, idc, ripple, std::sqrt(idc * idc + rippleRms * rippleRms), f, 400e4, 0.4};
    return r;
}
const DeliveredRankingRequest k100uH = request(100e-6, 5, 1, 100e3);
const DeliveredRankingRequest k5mH = request(5e-3, 10, 2, 60);

Identity identity(const DeliveredCandidate& c) {
    return {c.core, c.material, c.stackCount};
}

std::vector<Identity> identities(const std::vector<DeliveredCandidate>& candidates,
                                 std::size_t count) {
    std::vector<Identity> out;
    for (std::size_t i = 0; i < std::min(count, candidates.size()); ++i)
        out.push_back(identity(candidates[i]));
    return out;
}

std::vector<Identity> paretoSet(const std::vector<DeliveredCandidate>& candidates) {
    std::vector<Identity> out;
    for (const DeliveredCandidate& c : candidates)
        if (c.pareto)
            out.push_back(identity(c));
    std::sort(out.begin(), out.end());
    return out;
}

struct Top {
    const char* core;
    const char* material;
    int stack;
    long turns;
    int awg;
    long layers;
    double inductanceAtIdcH, totalLossHotW, riseHotC, totalWeightG;
};

struct Derived {
    const DeliveredRankingRequest* request;
    std::size_t feasible;
    std::vector<Identity> pareto;
    std::vector<Top> byWeight, byLoss;
};

// Pasted from tests/adviser/delivered_ranking_reference.py, which delivers every core ×
// material × 1–3 cores of the catalogue CSVs by tests/physics/delivered_reference.py (the
// catalogue's own units, turns walked up from 1) and judges and sorts them itself. Of the 570
// candidates, 311 and 35 are feasible.
// clang-format off
const Derived kDerived[] = {
    {&k100uH, 311,
     {{"E125", "-18", 2}, {"E137", "-18", 2}, {"E137", "-18", 3}, {"E137", "-8", 3},
      {"E162", "-8", 2}, {"T106", "-18", 1}, {"T106", "-18", 2}, {"T106", "-52", 1},
      {"T106", "-8", 2}, {"T130", "-8", 1}, {"T80", "-52", 3}, {"T94", "-18", 2},
      {"T94", "-8", 3}},
     {{"T80", "-52", 3, 32, 16, 2, 0.0001012017123, 1.185546805, 24.1829444, 47.09403693},
      {"T80", "-45", 3, 32, 16, 2, 0.0001001701442, 1.211653761, 24.62573659, 47.86983693},
      {"T80", "-38", 3, 33, 16, 2, 0.0001034586856, 1.551356608, 30.25503972, 48.20430608}},
     {{"E162", "-8", 2, 24, 16, 2, 0.0001002677097, 0.8644118498, 8.077954828, 179.1200063},
      {"E162", "-8", 3, 20, 16, 2, 0.0001050163393, 0.8920352229, 6.711338199, 258.428415},
      {"E137", "-8", 3, 25, 16, 2, 0.0001004042475, 0.9102145518, 9.595553444, 140.4530581}}},
    {&k5mH, 35,
     {{"E305", "-18", 3}, {"E450", "-18", 2}, {"E450", "-18", 3}, {"E450", "-52", 3},
      {"T300", "-8", 3}, {"T400", "-8", 2}, {"T400", "-8", 3}},
     {{"T300", "-8", 3, 253, 13, 4, 0.005019921908, 27.03131633, 53.0985193, 1457.68875},
      {"T400", "-8", 1, 356, 13, 5, 0.005012533213, 33.03893062, 66.93430615, 1481.437699},
      {"T400", "-8", 2, 230, 13, 3, 0.005030485982, 23.13337964, 37.00631565, 1843.070508}},
     {{"E450", "-52", 3, 88, 13, 3, 0.00501289793, 14.52605212, 14.43145321, 4172.111541},
      {"E450", "-18", 3, 93, 13, 4, 0.005051090946, 15.47278812, 15.21077717, 3990.838458},
      {"E450", "-26", 3, 97, 13, 4, 0.005034022645, 16.25878847, 15.8517393, 4226.546962}}},
};
// clang-format on

void expectTop(const std::vector<DeliveredCandidate>& ranked, const std::vector<Top>& top) {
    for (std::size_t i = 0; i < top.size(); ++i) {
        const Top& e = top[i];
        SCOPED_TRACE(std::string(e.core) + " in " + e.material + " x" + std::to_string(e.stack));
        const DeliveredCandidate& c = ranked.at(i);
        EXPECT_EQ(identity(c), (Identity{e.core, e.material, e.stack}));
        EXPECT_EQ(c.rank, static_cast<int>(i) + 1);
        ASSERT_TRUE(c.feasible && c.design && c.design->copper) << c.reason;
        const physics::DeliveredDesign& d = *c.design;
        EXPECT_EQ(d.inductance->turns, e.turns);
        EXPECT_EQ(d.winding->awg, e.awg);
        EXPECT_EQ(d.winding->layout.layers, e.layers);
        EXPECT_NEAR(d.inductance->atIdcH, e.inductanceAtIdcH, 1e-9 * e.inductanceAtIdcH);
        EXPECT_NEAR(d.copper->totalLossHotW, e.totalLossHotW, 1e-9 * e.totalLossHotW);
        EXPECT_NEAR(d.copper->temperatureRiseHotC, e.riseHotC, 1e-9 * e.riseHotC);
        EXPECT_NEAR(d.copper->totalWeightKg * 1e3, e.totalWeightG, 1e-9 * e.totalWeightG);
    }
}

TEST(DeliveredRanking, TopThreeByWeightAndLossEqualTheIndependentDerivation) {
    for (const Derived& e : kDerived) {
        DeliveredRanking ranking = rankDelivered(shipped(), *e.request, RankKey::Weight);
        ASSERT_FALSE(ranking.problem);
        EXPECT_EQ(ranking.candidates.size(), 570u);
        EXPECT_EQ(ranking.feasibleCount, e.feasible);
        EXPECT_EQ(paretoSet(ranking.candidates), e.pareto);
        expectTop(ranking.candidates, e.byWeight);
        orderDelivered(ranking.candidates, RankKey::Loss);
        expectTop(ranking.candidates, e.byLoss);
    }
}

const DeliveredCandidate& find(const DeliveredRanking& r, const Identity& id) {
    const auto c = std::find_if(r.candidates.begin(), r.candidates.end(),
                                [&](const DeliveredCandidate& c) { return identity(c) == id; });
    EXPECT_NE(c, r.candidates.end());
    return *c;
}

// The feasible ones lead, the others follow with why; a rise limit is one more gate.
TEST(DeliveredRanking, InfeasibleCandidatesFollowWithTheirReason) {
    const DeliveredRanking all = rankDelivered(shipped(), k5mH, RankKey::Loss);
    const auto firstInfeasible = std::find_if(all.candidates.begin(), all.candidates.end(),
                                              [](const auto& c) { return !c.feasible; });
    EXPECT_EQ(firstInfeasible - all.candidates.begin(), 35);
    EXPECT_TRUE(std::none_of(firstInfeasible, all.candidates.end(),
                             [](const auto& c) { return c.feasible || c.reason.empty(); }));
    EXPECT_EQ(identity(*firstInfeasible), (Identity{"E100", "-18", 1}));  // "-18" < "-2"
    EXPECT_EQ(find(all, {"T300", "-8", 1}).reason,
              "does not fit: the winding closes the hole after 13 layers with 514 of 574 turns");
    EXPECT_EQ(find(all, {"T300", "-8", 2}).reason, "does not fit: fill 0.502 above Ku 0.40");

    // T400 in -8 on one core rises 66.9 °C (the reference script).
    DeliveredRankingRequest limited = k5mH;
    limited.maxTemperatureRiseC = 60;
    const DeliveredRanking cool = rankDelivered(shipped(), limited, RankKey::Weight);
    EXPECT_EQ(find(cool, {"T400", "-8", 1}).reason, "hot rise 66.9 C above the 60.0 C allowed");
    EXPECT_EQ(identities(cool.candidates, 2),
              (std::vector<Identity>{{"T300", "-8", 3}, {"T400", "-8", 2}}));
    EXPECT_EQ(cool.feasibleCount, 33u);  // the reference script, rises up to 60 °C
}

// The gate, on made-up designs that reach L and wind: any failing or unavailable verdict
// and a rise above the limit stop a candidate; warnings do not.
TEST(DeliveredRanking, JudgedByEveryVerdictAndTheRiseLimit) {
    using enum physics::VerdictLevel;
    struct Row {
        physics::VerdictLevel ipk, hot;
        bool reachable, fits;
        std::optional<double> limitC;
        std::string reason;  // empty: feasible
    };
    const Row rows[] = {
        {Pass, Pass, true, true, std::nullopt, ""},
        {Warning, Pass, true, true, 40.0, ""},  // a rise of exactly the limit passes
        {Fail, Pass, true, true, std::nullopt, "L at Ipk: ipk"},
        {Pass, Fail, true, true, std::nullopt, "Hot temperature: hot"},
        {Pass, Unavailable, true, true, std::nullopt, "Hot temperature: hot"},
        {Pass, Pass, true, false, std::nullopt, "does not fit: fill 0.502 above Ku 0.40"},
        {Pass, Pass, false, true, std::nullopt, "L at Idc is not reached"},
        {Pass, Pass, true, true, 39.9, "hot rise 40.0 C above the 39.9 C allowed"},
    };
    for (const Row& row : rows) {
        physics::DeliveredDesign d;
        d.reachable = row.reachable;
        d.fits = row.fits;
        d.inductance.emplace();
        d.winding.emplace().doesNotFitReason = "fill 0.502 above Ku 0.40";
        d.copper.emplace().temperatureRiseHotC = 40;
        d.verdicts = {{physics::kInductanceAtIdcCheck, Pass, "idc"},
                      {physics::kInductanceAtIpkCheck, row.ipk, "ipk"},
                      {physics::kWindingFitsCheck, Pass, "winds"},
                      {physics::kFillCheck, Pass, "fill"},
                      {physics::kHotTemperatureCheck, row.hot, "hot"}};
        DeliveredCandidate c;
        c.design = d;
        c.feasible = !row.reason.empty();  // left from an earlier judgement
        c.reason = "earlier";
        judgeDelivered(c, row.limitC);
        EXPECT_EQ(c.feasible, row.reason.empty()) << row.reason;
        EXPECT_EQ(c.reason, row.reason);
    }
}

// Two identical toroids "T2" and "T1" (T106's data), each in two materials "M2" and "M1" that
// differ only in that M1 has no cost, and in "M0", which has no published curve.
CatalogueRecords twinCatalogue() {
    catalogue::CoreRecord t106 = *shipped().findCore("T106");
    t106.materials = {"M2", "M0", "M1"};
    catalogue::CoreRecord t2 = t106, t1 = t106;
    t2.name = "T2";
    t2.materials.front() = "m2";  // candidates show the material's own name
    t1.name = "T1";
    catalogue::MaterialRecord mix26 = *shipped().findMaterial("-26");
    catalogue::MaterialRecord m2 = mix26, m1 = mix26, m0 = mix26;
    m1.relativeCost.reset();
    m2.name = "M2";
    m1.name = "M1";
    m0.name = "M0";
    catalogue::BiasCurveRecord curve = *shipped().findBiasCurve("-26");
    catalogue::BiasCurveRecord c2 = curve, c1 = curve;
    c2.material = "M2";
    c1.material = "M1";
    return {{t2, t1}, {m2, m0, m1}, {c2, c1}, shipped().wires()};
}

TEST(DeliveredRanking, TiesGoByCoreThenMaterialThenStack) {
    const CatalogueRecords twins = twinCatalogue();
    DeliveredRankingRequest twoStacks = k100uH;
    twoStacks.maxStackCount = 2;
    // Equal weights on equal stacks: core decides, then material; the heavier stack after.
    const DeliveredRanking byWeight = rankDelivered(twins, twoStacks, RankKey::Weight);
    ASSERT_EQ(byWeight.feasibleCount, 8u);
    EXPECT_EQ(identities(byWeight.candidates, 12), (std::vector<Identity>{{"T1", "M1", 1},
                                                                          {"T1", "M2", 1},
                                                                          {"T2", "M1", 1},
                                                                          {"T2", "M2", 1},
                                                                          {"T1", "M1", 2},
                                                                          {"T1", "M2", 2},
                                                                          {"T2", "M1", 2},
                                                                          {"T2", "M2", 2},
                                                                          {"T1", "M0", 1},
                                                                          {"T1", "M0", 2},
                                                                          {"T2", "M0", 1},
                                                                          {"T2", "M0", 2}}));
    EXPECT_EQ(byWeight.candidates[8].reason, "no published bias curve for material M0");
    EXPECT_EQ(byWeight.candidates[7].rank, 8);
    EXPECT_EQ(byWeight.candidates[8].rank, 0);
    // Ranked again by cost from the order of the hot rise (two cores run cooler than one):
    // M2 at 1.0 per core, so the stack decides before the core; M1 has no cost and follows,
    // its ties in core, material, stack order whatever the order before.
    DeliveredRanking byCost = rankDelivered(twins, twoStacks, RankKey::TemperatureRise);
    EXPECT_EQ(identity(byCost.candidates.front()), (Identity{"T1", "M1", 2}));
    orderDelivered(byCost.candidates, RankKey::Cost);
    EXPECT_EQ(identities(byCost.candidates, 8), (std::vector<Identity>{{"T1", "M2", 1},
                                                                       {"T2", "M2", 1},
                                                                       {"T1", "M2", 2},
                                                                       {"T2", "M2", 2},
                                                                       {"T1", "M1", 1},
                                                                       {"T1", "M1", 2},
                                                                       {"T2", "M1", 1},
                                                                       {"T2", "M1", 2}}));
    // Twins beat neither each other: all four on one core are on the front.
    EXPECT_EQ(paretoSet(byWeight.candidates),
              (std::vector<Identity>{
                  {"T1", "M1", 1}, {"T1", "M2", 1}, {"T2", "M1", 1}, {"T2", "M2", 1}}));
}

TEST(DeliveredRanking, KeysRankAscending) {
    DeliveredRanking r = rankDelivered(shipped(), k100uH, RankKey::Cost);
    EXPECT_EQ(r.key, RankKey::Cost);
    const auto values = [&](auto value) {
        std::vector<double> out;
        for (const DeliveredCandidate& c : r.candidates)
            if (c.feasible)
                out.push_back(value(c));
        return out;
    };
    const auto ascending = [](const std::vector<double>& v) {
        return std::is_sorted(v.begin(), v.end()) && v.front() < v.back();
    };
    EXPECT_TRUE(ascending(values([](const auto& c) { return *c.stackedCost; })));
    // -26 costs 1.0: T106 on two cores 2.0; -8 costs 4.0.
    EXPECT_EQ(find(r, {"T106", "-26", 2}).stackedCost, 2.0);
    EXPECT_EQ(find(r, {"T106", "-8", 3}).stackedCost, 12.0);
    orderDelivered(r.candidates, RankKey::Volume);
    EXPECT_TRUE(ascending(values([](const auto& c) { return *c.stackedVolumeM3; })));
    EXPECT_DOUBLE_EQ(*find(r, {"T106", "-26", 3}).stackedVolumeM3, 3 * 4.173e-6);
    orderDelivered(r.candidates, RankKey::TemperatureRise);
    EXPECT_TRUE(
        ascending(values([](const auto& c) { return c.design->copper->temperatureRiseHotC; })));
}

// The front is marked afresh: flags left from another judgement do not survive.
TEST(DeliveredRanking, ParetoFlagsAreComputedFresh) {
    DeliveredRanking r = rankDelivered(shipped(), k5mH, RankKey::Weight);
    const std::vector<Identity> front = paretoSet(r.candidates);
    for (DeliveredCandidate& c : r.candidates)
        c.pareto = true;
    markDeliveredPareto(r.candidates);
    EXPECT_EQ(paretoSet(r.candidates), front);
    // With rises up to 50 °C only the lightest, T300 in -8 on three cores (53.1 °C), leaves
    // the front (the reference script).
    for (DeliveredCandidate& c : r.candidates)
        judgeDelivered(c, 50.0);
    markDeliveredPareto(r.candidates);
    EXPECT_EQ(paretoSet(r.candidates), (std::vector<Identity>{{"E305", "-18", 3},
                                                              {"E450", "-18", 2},
                                                              {"E450", "-18", 3},
                                                              {"E450", "-52", 3},
                                                              {"T400", "-8", 2},
                                                              {"T400", "-8", 3}}));
    EXPECT_EQ(std::count_if(r.candidates.begin(), r.candidates.end(),
                            [](const auto& c) { return c.feasible; }),
              30);
}

TEST(DeliveredRanking, ProblemsThatStopTheWholeRanking) {
    DeliveredRankingRequest r = k100uH;
    r.maxStackCount = 4;
    EXPECT_EQ(rankDelivered(shipped(), r, RankKey::Loss).problem,
              "the largest stack must be 1 to 3 cores, not 4");
    r.maxStackCount = 0;
    EXPECT_TRUE(rankDelivered(shipped(), r, RankKey::Loss).problem);
    r.maxStackCount = 1;
    r.ambientC = std::nan("");
    EXPECT_EQ(rankDelivered(shipped(), r, RankKey::Loss).problem,
              "the ambient temperature is not a number");
    r.ambientC = 25;
    r.maxTemperatureRiseC = std::numeric_limits<double>::infinity();
    EXPECT_EQ(rankDelivered(shipped(), r, RankKey::Loss).problem,
              "the maximum temperature rise is not a number");
    const CatalogueRecords noWires(shipped().cores(), shipped().materials(), shipped().biasCurves(),
                                   {});
    const DeliveredRanking none = rankDelivered(noWires, k100uH, RankKey::Loss);
    EXPECT_EQ(none.problem, "AWG 16 is outside the wire table");
    EXPECT_TRUE(none.candidates.empty());
    const CatalogueRecords badWire(shipped().cores(), shipped().materials(), shipped().biasCurves(),
                                   {{16, 1.29, std::nullopt, 13.2}});
    EXPECT_EQ(rankDelivered(badWire, k100uH, RankKey::Loss).problem,
              "AWG 16: OverallDiameter is empty or not a number");
}

// "TX" is T106 without its height; every material has lost its density.
TEST(DeliveredRanking, UnusableRecordsAreCandidatesWithTheirReason) {
    catalogue::CoreRecord tx = *shipped().findCore("T106");
    tx.name = "TX";
    std::get<catalogue::ToroidDimensions>(tx.dimensions).heightIn.reset();
    tx.materials = {"-26", "-99"};
    std::vector<catalogue::MaterialRecord> materials = shipped().materials();
    for (auto& m : materials)
        m.densityGPerCm3.reset();
    materials.front().relativeCost = std::numeric_limits<double>::infinity();
    const CatalogueRecords records({tx, *shipped().findCore("T106")}, materials,
                                   shipped().biasCurves(), shipped().wires());
    DeliveredRankingRequest one = k100uH;
    one.maxStackCount = 1;
    const DeliveredRanking r = rankDelivered(records, one, RankKey::Loss);
    ASSERT_EQ(r.candidates.size(), 13u);
    EXPECT_EQ(r.feasibleCount, 0u);
    EXPECT_EQ(identity(r.candidates.front()), (Identity{"T106", "-18", 1}));
    EXPECT_EQ(r.candidates.front().reason, "Density is empty or not a number");
    EXPECT_FALSE(r.candidates.front().design);
    EXPECT_FALSE(find(r, {"T106", materials.front().name, 1}).stackedCost);  // an infinite Cost
    EXPECT_EQ(find(r, {"TX", "-26", 1}).reason, "HT is empty or not a number");
    EXPECT_EQ(find(r, {"TX", "-99", 1}).reason, "material -99 is not in the catalogue");
}

}  // namespace
}  // namespace coilsmith::adviser
