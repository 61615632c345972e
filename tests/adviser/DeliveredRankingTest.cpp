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

std::string name(const DeliveredCandidate& c) {
    return c.core + "/" + c.material + "/" + std::to_string(c.stackCount);
}

// The first `count` candidates, or with `front` the Pareto set in name order.
std::string names(const std::vector<DeliveredCandidate>& candidates, std::size_t count,
                  bool front = false) {
    std::vector<std::string> out;
    for (const DeliveredCandidate& c : candidates)
        if (front ? c.pareto : out.size() < count)
            out.push_back(name(c));
    if (front)
        std::sort(out.begin(), out.end());
    std::string text;
    for (const std::string& n : out)
        text += (text.empty() ? "" : " ") + n;
    return text;
}

const DeliveredCandidate& find(const DeliveredRanking& r, const std::string& id) {
    const auto c = std::find_if(r.candidates.begin(), r.candidates.end(),
                                [&](const DeliveredCandidate& c) { return name(c) == id; });
    EXPECT_NE(c, r.candidates.end()) << id;
    return *c;
}

// The first three by one key and their values in that key (g; W).
struct Top {
    const char* names;
    double values[3];
};

struct Derived {
    const DeliveredRankingRequest* request;
    std::size_t feasible;
    const char* pareto;
    Top byWeight, byLoss;
};

// Derived apart from the program by a script of the delivered-design formulas in the
// catalogue's own units (turns walked up from 1): every core × material × 1–3 cores of the
// catalogue CSVs, feasible when L at Idc is reached, the winding fits within Ku, L at Ipk is
// at least 70 % of L and the copper settles at or below 125 °C; ties by core, material, stack.
// Of the 570 candidates, 311 and 35 are feasible.
const Derived kDerived[] = {
    {&k100uH,
     311,
     "E125/-18/2 E137/-18/2 E137/-18/3 E137/-8/3 E162/-8/2 T106/-18/1 T106/-18/2 T106/-52/1 "
     "T106/-8/2 T130/-8/1 T80/-52/3 T94/-18/2 T94/-8/3",
     {"T80/-52/3 T80/-45/3 T80/-38/3", {47.09403693, 47.86983693, 48.20430608}},
     {"E162/-8/2 E162/-8/3 E137/-8/3", {0.8644118498, 0.8920352229, 0.9102145518}}},
    {&k5mH,
     35,
     "E305/-18/3 E450/-18/2 E450/-18/3 E450/-52/3 T300/-8/3 T400/-8/2 T400/-8/3",
     {"T300/-8/3 T400/-8/1 T400/-8/2", {1457.68875, 1481.437699, 1843.070508}},
     {"E450/-52/3 E450/-18/3 E450/-26/3", {14.52605212, 15.47278812, 16.25878847}}},
};

void expectTop(const std::vector<DeliveredCandidate>& ranked, const Top& top, double scale) {
    EXPECT_EQ(names(ranked, 3), top.names);
    for (std::size_t i = 0; i < 3; ++i) {
        const DeliveredCandidate& c = ranked.at(i);
        ASSERT_TRUE(c.feasible && c.design && c.design->copper) << c.reason;
        EXPECT_EQ(c.rank, static_cast<int>(i) + 1);
        const double value =
            scale > 0 ? c.design->copper->totalWeightKg * scale : c.design->copper->totalLossHotW;
        EXPECT_NEAR(value, top.values[i], 1e-9 * top.values[i]) << name(c);
    }
}

TEST(DeliveredRanking, TopThreeByWeightAndLossEqualTheIndependentDerivation) {
    for (const Derived& e : kDerived) {
        DeliveredRanking ranking = rankDelivered(shipped(), *e.request, RankKey::Weight);
        ASSERT_FALSE(ranking.problem);
        EXPECT_EQ(ranking.candidates.size(), 570u);
        EXPECT_EQ(ranking.feasibleCount, e.feasible);
        EXPECT_EQ(names(ranking.candidates, 0, true), e.pareto);
        expectTop(ranking.candidates, e.byWeight, 1e3);
        orderDelivered(ranking.candidates, RankKey::Loss);
        expectTop(ranking.candidates, e.byLoss, 0);
        EXPECT_EQ(ranking.key, RankKey::Weight);
        for (const RankKey key : {RankKey::Cost, RankKey::Volume, RankKey::TemperatureRise}) {
            orderDelivered(ranking.candidates, key);  // each key sorts on its own figure
            std::vector<double> v;
            for (const DeliveredCandidate& c : ranking.candidates)
                if (c.feasible)
                    v.push_back(key == RankKey::Cost     ? *c.stackedCost
                                : key == RankKey::Volume ? *c.stackedVolumeM3
                                                         : c.design->copper->temperatureRiseHotC);
            EXPECT_TRUE(std::is_sorted(v.begin(), v.end()) && v.front() < v.back());
        }
    }
    // -8 costs 4.0 a core; T106 is 4.173 cm^3.
    const DeliveredRanking r = rankDelivered(shipped(), k100uH, RankKey::Cost);
    EXPECT_EQ(find(r, "T106/-8/3").stackedCost, 12.0);
    EXPECT_DOUBLE_EQ(*find(r, "T106/-26/3").stackedVolumeM3, 3 * 4.173e-6);
}

// The feasible ones lead, the others follow with why; a rise limit is one more gate.
TEST(DeliveredRanking, InfeasibleCandidatesFollowWithTheirReason) {
    const DeliveredRanking all = rankDelivered(shipped(), k5mH, RankKey::Loss);
    const auto firstInfeasible = all.candidates.begin() + 35;
    EXPECT_TRUE(std::none_of(firstInfeasible, all.candidates.end(),
                             [](const auto& c) { return c.feasible || c.reason.empty(); }));
    EXPECT_EQ(name(*firstInfeasible), "E100/-18/1");  // "-18" < "-2"
    EXPECT_EQ(find(all, "T300/-8/1").reason,
              "does not fit: the winding closes the hole after 13 layers with 514 of 574 turns");
    EXPECT_EQ(find(all, "T300/-8/2").reason, "does not fit: fill 0.502 above Ku 0.40");

    // T400 in -8 on one core rises 66.9 °C; 33 rise up to 60 °C (the script).
    DeliveredRankingRequest limited = k5mH;
    limited.maxTemperatureRiseC = 60;
    const DeliveredRanking cool = rankDelivered(shipped(), limited, RankKey::Weight);
    EXPECT_EQ(find(cool, "T400/-8/1").reason, "hot rise 66.9 C above the 60.0 C allowed");
    EXPECT_EQ(names(cool.candidates, 2), "T300/-8/3 T400/-8/2");
    EXPECT_EQ(cool.feasibleCount, 33u);
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

// Two identical toroids "T2" and "T1" (T106's data) in two identical materials "M2" and
// "M1": equal weights on equal stacks go by core, then material, the heavier stack after.
TEST(DeliveredRanking, TiesGoByCoreThenMaterialThenStack) {
    catalogue::CoreRecord t2 = *shipped().findCore("T106");
    t2.materials = {"m2", "M1"};  // candidates show the material's own name
    catalogue::CoreRecord t1 = t2;
    t2.name = "T2", t1.name = "T1";
    catalogue::MaterialRecord m2 = *shipped().findMaterial("-26"), m1 = m2;
    m2.name = "M2", m1.name = "M1";
    catalogue::BiasCurveRecord c2 = *shipped().findBiasCurve("-26"), c1 = c2;
    c2.material = "M2", c1.material = "M1";
    DeliveredRankingRequest twoStacks = k100uH;
    twoStacks.maxStackCount = 2;
    const DeliveredRanking r = rankDelivered({{t2, t1}, {m2, m1}, {c2, c1}, shipped().wires()},
                                             twoStacks, RankKey::Weight);
    EXPECT_EQ(names(r.candidates, 8),
              "T1/M1/1 T1/M2/1 T2/M1/1 T2/M2/1 T1/M1/2 T1/M2/2 T2/M1/2 T2/M2/2");
}

TEST(DeliveredRanking, ProblemsThatStopTheWholeRanking) {
    const auto problem = [](int stacks, double ambientC, std::optional<double> limitC) {
        DeliveredRankingRequest r = k100uH;
        std::tie(r.maxStackCount, r.ambientC, r.maxTemperatureRiseC) =
            std::tuple(stacks, ambientC, limitC);
        return rankDelivered(shipped(), r, RankKey::Loss).problem.value_or("");
    };
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(problem(4, 25, {}), "the largest stack must be 1 to 3 cores, not 4");
    EXPECT_EQ(problem(1, std::nan(""), {}), "the ambient temperature is not a number");
    EXPECT_EQ(problem(1, 25, inf), "the maximum temperature rise is not a number");
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
    EXPECT_EQ(name(r.candidates.front()), "T106/-18/1");
    EXPECT_EQ(r.candidates.front().reason, "Density is empty or not a number");
    EXPECT_FALSE(find(r, "T106/" + materials.front().name + "/1").stackedCost);  // infinite
    EXPECT_EQ(find(r, "TX/-26/1").reason, "HT is empty or not a number");
    EXPECT_EQ(find(r, "TX/-99/1").reason, "material -99 is not in the catalogue");
}

}  // namespace
}  // namespace coilsmith::adviser
