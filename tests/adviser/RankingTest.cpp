// Feasibility, ordering, filtering and the Pareto set: on made candidates where a bound or a
// tie decides, on a made catalogue where the designs do.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <tuple>

#include "AdviserCatalogues.h"
#include "adviser/DeliveredCandidates.h"
#include "adviser/RankingFilter.h"
#include "windowmodel/SizedSpecificationOf.h"

namespace coilsmith::adviser {

// Every limit at its bound passes; one step beyond it, or an unknown figure, fails with the
// limit's reason; the first broken limit in the order AP, Bmax, window, heat names it.
TEST(Judge, EachLimitPassesAtItsBoundAndFailsJustBeyond) {
    const Limits limits{2.0, 0.5, 0.4, 40.0};
    const auto above = [](double x) { return std::nextafter(x, 1e9); };
    const std::pair<std::function<void(Candidate&, Limits&)>, std::string_view> cases[] = {
        {[](Candidate&, Limits&) {}, ""},
        {[](Candidate& c, Limits&) { c.coreAP = std::nextafter(2.0, 0.0); }, kApTooSmall},
        {[](Candidate& c, Limits&) { c.coreAP.reset(); }, kApTooSmall},
        {[&](Candidate& c, Limits&) { c.bmax = above(0.5); }, kBmaxAboveLimit},
        {[](Candidate& c, Limits&) { c.bmax = std::nan(""); }, kBmaxAboveLimit},
        {[&](Candidate& c, Limits&) { c.fill = above(0.4); }, kWindowOverfull},
        {[](Candidate& c, Limits&) { c.fill.reset(); }, kWindowOverfull},
        {[&](Candidate& c, Limits&) { c.tempRise = above(40.0); }, kTooHot},
        {[](Candidate& c, Limits& l) { c.tempRise = 1e6, l.maxTempRise.reset(); }, ""},
        {[&](Candidate& c, Limits&) { c.coreAP = 1, c.bmax = 1, c.fill = 1; }, kApTooSmall},
        {[&](Candidate& c, Limits&) { c.bmax = 1, c.fill = 1, c.tempRise = 99; }, kBmaxAboveLimit},
        {[&](Candidate& c, Limits&) { c.fill = 1, c.tempRise = 99; }, kWindowOverfull},
        {[](Candidate& c, Limits&) { c.completed = false, c.reason = "HT is not positive"; },
         "HT is not positive"}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Candidate c;
        c.completed = true, c.feasible = true, c.reason = "stale";
        c.coreAP = 2.0, c.bmax = 0.5, c.fill = 0.4, c.tempRise = 40.0;
        Limits l = limits;
        cases[i].first(c, l);
        judge(c, l);
        EXPECT_EQ(c.reason, cases[i].second) << "case " << i;
        EXPECT_EQ(c.feasible, cases[i].second.empty()) << "case " << i;
    }
}

static Candidate made(CoreType type, const char* core, const char* material, double loss,
                      bool feasible = true) {
    Candidate c;
    c.type = type, c.core = core, c.material = material, c.totalLoss = loss;
    c.feasible = feasible, c.totalWeight = 10 - loss, c.cost = loss;
    return c;
}

// Equal losses order by core (texts alike in their first eight bytes too), then material,
// then type; the infeasible follow in that order; a missing cost goes last.
TEST(Order, TiesGoByCoreThenMaterialThenTypeAndInfeasibleFollow) {
    using enum CoreType;
    std::vector<Candidate> all = {made(Toroid, "A", "M", 9, false),
                                  made(ECore, "CORE00002", "M2", 1),
                                  made(Toroid, "CORE00001", "MB", 1),
                                  made(ECore, "CORE00001", "MB", 1),
                                  made(ECore, "CORE00001", "MATERIAL9", 1),
                                  made(ECore, "CORE00001", "MATERIAL10", 1),
                                  made(ECore, "B", "M", 0.5),
                                  made(ECore, "A", "M", 9, false)};
    all[1].cost.reset();
    orderCandidates(all, RankKey::Loss);
    std::string order;
    for (const Candidate& c : all) {
        order += c.core + "/" + c.material + "/" + std::string(coreTypeName(c.type)) + "#" +
                 std::to_string(c.rank) + " ";
    }
    EXPECT_EQ(order,
              "B/M/E-core#1 CORE00001/MATERIAL10/E-core#2 CORE00001/MATERIAL9/E-core#3 "
              "CORE00001/MB/E-core#4 CORE00001/MB/Toroid#5 CORE00002/M2/E-core#6 "
              "A/M/E-core#0 A/M/Toroid#0 ");
    std::vector<std::vector<Candidate>> parts = {{all[5]}, {all[0], all[1]}};
    const auto byCost = orderedCandidates(parts, RankKey::Cost);
    EXPECT_EQ(byCost.back().core + std::to_string(byCost.back().rank), "CORE000023");
    EXPECT_TRUE(parts.empty());
}

static Candidate point(const char* core, double loss, double weight, bool feasible = true) {
    Candidate c;
    c.core = core, c.feasible = feasible, c.totalLoss = loss, c.totalWeight = weight;
    c.pareto = true;  // left from an earlier marking
    return c;
}

TEST(Pareto, KeepsWhatNothingBeatsOnBothLossAndWeight) {
    // C is beaten by B, D is B's twin, F by E (same loss, heavier); G is not feasible.
    std::vector<Candidate> points = {point("C", 3, 4),       point("A", 1, 5), point("B", 2, 3),
                                     point("D", 2, 3),       point("E", 4, 1), point("F", 4, 2),
                                     point("G", 0, 0, false)};
    markPareto(points);
    std::string front;
    for (const Candidate& c : points) {
        front += c.pareto ? c.core : "";
    }
    EXPECT_EQ(front, "ABDE");
}

class ReasonCatalogue : public ::testing::Test {
  protected:
    Ranking rank(AdviserOptions options = {}) {
        return test::rankWindow(test::specifiedWindow(catalogue.path(), prompter), options);
    }
    static const Candidate& find(const Ranking& r, const std::string& core, const char* mat) {
        return *std::find_if(r.candidates.begin(), r.candidates.end(), [&](const Candidate& c) {
            return c.core == core && c.material == mat;
        });
    }

    test::TempCatalogue catalogue{test::reasonTables()};
    FakePrompter prompter;
};

TEST_F(ReasonCatalogue, EachCoreFailsForItsOwnReason) {
    const Ranking ranking = rank();
    const std::tuple<const char*, const char*, std::string_view, bool> cases[] = {
        {"BIG", "M60", "", true},
        {"BIG", "MB", "", true},
        {"BIG2", "MB", "", true},
        {"TBIG", "M60", "", true},
        {"SMALL", "M60", kApTooSmall, true},
        {"BMAX", "M60", kBmaxAboveLimit, true},
        {"FULL", "M60", kWindowOverfull, true},
        {"ZERO", "M60", "field \"LC\" of ZERO in table \"E-Cores\" is not positive: 0", false},
        {"TNOHT", "M60", "HT is empty or not a number", false}};
    for (const auto& [core, material, reason, completed] : cases) {
        const Candidate& c = find(ranking, core, material);
        EXPECT_EQ(std::tuple(c.reason, c.feasible, c.rank > 0, c.completed),
                  std::tuple(std::string(reason), reason.empty(), reason.empty(), completed))
            << core << " " << material;
    }
    EXPECT_EQ(ranking.candidates.size(), 12u);
    EXPECT_EQ(ranking.feasibleCount, 7u);
}

// The seven feasible first, ranked 1 to 7 in ascending order of each key (the loss and the
// cost: the Order test).
TEST_F(ReasonCatalogue, FeasibleFirstInKeyOrder) {
    for (const RankKey key : {RankKey::TemperatureRise, RankKey::Weight, RankKey::Volume}) {
        AdviserOptions options;
        options.key = key;
        const auto all = rank(options).candidates;
        const auto value = [key](const Candidate& c) {  // the values in RankKey order
            return std::array{c.totalLoss, c.tempRise, c.totalWeight, *c.cost,
                              *c.volume}[static_cast<int>(key)];
        };
        EXPECT_TRUE(std::is_sorted(all.begin(), all.begin() + 7, [&](auto& a, auto& b) {
            return value(a) < value(b);
        })) << rankKeyName(key);
        EXPECT_EQ(std::tuple(all[6].rank, all[7].feasible), std::tuple(7, false));
    }
}

// A filter gives what a ranking with its limits gives, kept to its type, and never designs.
TEST_F(ReasonCatalogue, FiltersGiveWhatRankingWithThemGives) {
    Ranking all = rank();
    AdviserOptions hot;
    hot.key = RankKey::TemperatureRise;
    hot.maxTempRise = rank(hot).candidates.front().tempRise;  // the coolest, exactly
    const Ranking limited = rank(hot);
    EXPECT_EQ(
        filteredRanking(all, {CoreTypeFilter::Both, hot.maxTempRise, false}, hot.key).candidates,
        limited.candidates);
    EXPECT_EQ(limited.feasibleCount, 2u);  // of the 7 feasible, the coolest and its twin in M60B
    all.candidates[1].checkPassed = all.candidates[4].checkPassed = true;  // two feasible
    const std::tuple<CoreTypeFilter, bool, std::size_t, std::size_t> cases[] = {
        {CoreTypeFilter::ECore, false, 9, 5},
        {CoreTypeFilter::Toroid, false, 3, 2},
        {CoreTypeFilter::Both, true, 2, 2}};
    for (const auto& [types, checked, count, feasible] : cases) {
        const Ranking shown = filteredRanking(all, {types, std::nullopt, checked}, RankKey::Loss);
        EXPECT_EQ(std::tuple(shown.candidates.size(), shown.feasibleCount, shown.checkedOnly),
                  std::tuple(count, feasible, checked))
            << coreTypeFilterName(types);
        EXPECT_EQ(shown.feasibleCount > 0 ? shown.candidates[shown.feasibleCount - 1].rank : 0,
                  static_cast<int>(feasible));
        EXPECT_EQ(coreTypeFilterFromName(coreTypeFilterName(types)), types);
    }
    Ranking stopped;
    stopped.problem = "cannot", stopped.stopped = true;
    const Ranking shown = filteredRanking(stopped, {CoreTypeFilter::Both, 9.0, false}, hot.key);
    EXPECT_EQ(std::tuple(shown.problem, shown.stopped, shown.key, shown.limits.maxTempRise),
              std::tuple(stopped.problem, true, hot.key, std::optional(9.0)));
}

// A core lists its first eleven links, a material missing from the catalogue left out, as the
// window lists them; its area product over the minimum, 2·3 cm^4 over 2.36328125 cm^4
// (0.5·25e-6·27.5² J · 2e8 / (0.5 T · 400e4 A/m² · 0.4)), is its AP margin.
TEST(MaterialList, TheFirstElevenLinksAsTheWindowListsThem) {
    csx::CsvTables t = test::reasonTables();
    t["Core_Materials"] = "Core,Mat\nBIG,M0\nBIG,MISSING\n";
    for (int i = 1; i <= 11; ++i) {
        t["Materials"] += test::flatMaterial("M" + std::to_string(i), 7.0, 1.0);
        t["Core_Materials"] += "BIG,M" + std::to_string(i) + "\n";
    }
    t["Materials"] += test::flatMaterial("M0", 7.0, 1.0);
    const test::TempCatalogue catalogue(t);
    FakePrompter prompter;
    ChokeModel window = test::specifiedWindow(catalogue.path(), prompter);
    const Ranking ranking = test::rankWindow(window);
    window.setOption("ECore", true);
    window.setListText("Core", "BIG");
    std::multiset<std::string> designed;
    for (const Candidate& c : ranking.candidates) {
        if (c.core == "BIG") {
            designed.insert(c.material);
            EXPECT_NEAR(c.apMargin.value(), 6 / 2.36328125, 1e-12);
        }
    }
    const std::vector<std::string>& listed = window.control("CoreMat").items;
    EXPECT_EQ(designed, std::multiset<std::string>(listed.begin(), listed.end()));
    EXPECT_EQ(designed.size(), 10u);  // M0 and M1 … M9 of the first eleven links
}

// 1 µH at 0.11 A peak needs 4.84e-4 cm^4 ((0.5·1e-6·0.11²)·2e8 / (0.1 T · 50e4 A/m² · 0.05)),
// which shows as "0.000"; the smallest toroid, T16, offers 0.01461 cm² · π(0.078·2.54)²/4 cm²
// = 4.50e-4 cm^4 and is too small, which the shown texts could not tell.
TEST(AreaProductGate, ComparesTheNumbersNotTheirTexts) {
    FakePrompter prompter;
    const ChokeModel window = test::specifiedWindow(
        test::shippedCatalogue(), prompter, {"1", "uH", "0.1", "0.02", "50", "0.1", "50", "0.05"});
    ASSERT_EQ(window.text("minAP"), "0.000");
    const Ranking ranking = test::rankWindow(window);
    EXPECT_NEAR(ranking.limits.minAP, 4.84e-4, 1e-8);
    std::size_t tooSmall = 0;
    for (const Candidate& c : ranking.candidates) {
        if (c.completed) {
            EXPECT_EQ(c.reason == kApTooSmall, *c.coreAP < 4.84e-4) << c.core << " " << c.material;
            tooSmall += c.reason == kApTooSmall;
        }
    }
    EXPECT_GE(tooSmall, 1u);
}

TEST(RankingProblems, NoSpecificationOrNoCatalogueRanksNothing) {
    FakePrompter prompter;
    const ChokeModel sized = test::specifiedWindow(test::shippedCatalogue(), prompter);
    EXPECT_EQ(rankCores(std::nullopt, test::shippedCatalogue()).problem,
              "Calculate AP first: the minimum area product is not known.");
    EXPECT_EQ(rankCores(sizedSpecificationOf(sized), "/nonexistent/Cores.csx").problem,
              "The catalogue /nonexistent/Cores.csx cannot be opened.");
}

// The delivered ranking as the window's candidates, kept to one type and ranked again, in the
// window's units: for 5 mH at 10 A DC, 2 A ripple, 60 Hz the lightest toroids are T300 in -8
// on three cores (253 turns, 1457.7 g) and T400 in -8 on one (DeliveredRankingTest).
TEST(DeliveredWindowRanking, KeepsOneTypeInTheWindowsUnits) {
    DeliveredRankingRequest request;
    request.specification = {5e-3, 10, 2, std::sqrt(100 + 1.0 / 3), 60, 400e4, 0.4};
    const auto records = catalogue::CatalogueRecords::load(test::shippedCatalogue());
    const DeliveredRanking all = rankDelivered(records, request, RankKey::Loss);
    const Ranking toroids = deliveredWindowRanking(all, CoreTypeFilter::Toroid, RankKey::Weight);
    EXPECT_EQ(toroids.feasibleCount,
              static_cast<std::size_t>(
                  std::count_if(all.candidates.begin(), all.candidates.end(), [](const auto& c) {
                      return c.feasible && c.shape == catalogue::CoreShape::Toroid;
                  })));
    const Candidate& c = toroids.candidates.at(0);
    EXPECT_EQ(std::tuple(c.core, c.material, c.stackCount, c.rank, c.pareto, c.completed,
                         c.texts.turns, c.texts.totalWeight),
              std::tuple("T300", "-8", 3, 1, true, true, "253", "1457.7"));
    const auto same = std::find_if(all.candidates.begin(), all.candidates.end(), [](auto& d) {
        return d.core == "T300" && d.material == "-8" && d.stackCount == 3;
    });
    EXPECT_EQ(std::tuple(c.type, c.lIdcPercent, c.coreLoss, c.hotRise, c.texts.totalLoss, c.cost,
                         c.texts.wireGauge),
              std::tuple(CoreType::Toroid, same->design->inductance->atIdcPercent,
                         same->design->core->lossW, same->design->copper->temperatureRiseHotC,
                         formatFixed(same->design->copper->totalLossHotW, 3), same->stackedCost,
                         std::to_string(same->design->winding->awg)));
    EXPECT_EQ(toroids.candidates.at(1).core + std::to_string(*toroids.candidates[1].stackCount),
              "T4001");
    request.maxStackCount = 4;  // a ranking that stops shows why
    EXPECT_EQ(deliveredWindowRanking(rankDelivered(records, request, RankKey::Loss),
                                     CoreTypeFilter::Both, RankKey::Loss)
                  .problem,
              "the largest stack must be 1 to 3 cores, not 4");
}

}  // namespace coilsmith::adviser
