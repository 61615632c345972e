// Feasibility, ordering and the Pareto set, on hand-made catalogues.
#include <gtest/gtest.h>

#include <tuple>

#include "AdviserCatalogues.h"
#include "adviser/AdviserEngine.h"

namespace coilsmith::adviser {

class ReasonCatalogue : public ::testing::Test {
  protected:
    Ranking rank(AdviserOptions options = {}) {
        const ChokeModel window = test::specifiedWindow(catalogue.path(), prompter);
        EXPECT_EQ(window.text("minAP"), "2.363");
        return rankCores(window, options);
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

TEST_F(ReasonCatalogue, ATemperatureLimitMakesDesignsTooHot) {
    const Ranking unlimited = rank();
    AdviserOptions options;
    options.key = RankKey::Trise;
    options.maxTempRise = rank(options).candidates.front().tempRise;  // the coolest, exactly
    const Ranking limited = rank(options);
    std::size_t tooHot = 0;
    for (const Candidate& before : unlimited.candidates) {
        const Candidate& after = find(limited, before.core, before.material.c_str());
        const bool hot = before.feasible && before.tempRise > *options.maxTempRise;
        EXPECT_EQ(after.reason, hot ? kTooHot : before.reason) << before.core << before.material;
        EXPECT_EQ(after.feasible, before.feasible && !hot) << before.core << before.material;
        tooHot += hot;
    }
    EXPECT_GE(tooHot, 1u);
}

static double keyValue(const Candidate& c, RankKey key) {  // the values in RankKey order
    const double values[] = {c.totalLoss, c.tempRise, c.totalWeight, *c.cost, *c.volume};
    return values[static_cast<int>(key)];
}

class RankKeys : public ReasonCatalogue, public ::testing::WithParamInterface<RankKey> {};

TEST_P(RankKeys, FeasibleFirstInKeyOrderTiesByCoreThenMaterial) {
    AdviserOptions options;
    options.key = GetParam();
    const Ranking ranking = rank(options);
    const auto& all = ranking.candidates;
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        const Candidate& a = all[i];
        const Candidate& b = all[i + 1];
        ASSERT_TRUE(a.feasible || !b.feasible) << "feasible after infeasible at " << i;
        if (a.feasible && b.feasible) {
            EXPECT_EQ(b.rank, a.rank + 1);
            EXPECT_LE(std::make_tuple(keyValue(a, GetParam()), a.core, a.material),
                      std::make_tuple(keyValue(b, GetParam()), b.core, b.material));
        } else if (!a.feasible) {
            EXPECT_LE(std::tie(a.core, a.material), std::tie(b.core, b.material));
        }
    }
    // M60B is M60 under another name: the twin designs are ranked side by side, M60 first.
    EXPECT_EQ(&find(ranking, "BIG", "M60") + 1, &find(ranking, "BIG", "M60B"));
    EXPECT_EQ(rankKeyFromName(rankKeyName(GetParam())), GetParam());
    EXPECT_FALSE(rankKeyFromName("Loss") || rankKeyFromName(""));
}

INSTANTIATE_TEST_SUITE_P(Keys, RankKeys,
                         ::testing::Values(RankKey::Loss, RankKey::Trise, RankKey::Weight,
                                           RankKey::Cost, RankKey::Volume),
                         [](const auto& info) { return std::string(rankKeyName(info.param)); });

static Candidate point(const char* core, double loss, double weight, bool feasible = true) {
    Candidate c;
    c.core = core, c.feasible = feasible, c.totalLoss = loss, c.totalWeight = weight;
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

TEST_F(ReasonCatalogue, ParetoSetMatchesTheDefinition) {
    const Ranking ranking = rank();
    std::size_t onFront = 0;
    for (const Candidate& c : ranking.candidates) {
        bool beaten = false;
        for (const Candidate& o : ranking.candidates) {
            beaten |= o.feasible && o.totalLoss <= c.totalLoss && o.totalWeight <= c.totalWeight &&
                      (o.totalLoss < c.totalLoss || o.totalWeight < c.totalWeight);
        }
        EXPECT_EQ(c.pareto, c.feasible && !beaten) << c.core << " " << c.material;
        onFront += c.pareto;
    }
    EXPECT_GE(onFront, 1u);
    EXPECT_LT(onFront, ranking.feasibleCount);
}

TEST(RankingProblems, NoSpecificationOrNoCatalogueRanksNothing) {
    FakePrompter prompter;
    const ChokeModel fresh({"/opt/coilsmith", test::shippedCatalogue(), {}}, prompter);
    EXPECT_TRUE(rankCores(fresh).problem);  // "Calculate AP" never ran
    const ChokeModel closed({"/opt/coilsmith", "/nonexistent/Cores.csx", {}}, prompter);
    EXPECT_NE(rankCores(closed).problem.value_or("").find("/nonexistent/Cores.csx"),
              std::string::npos);
}

}  // namespace coilsmith::adviser
