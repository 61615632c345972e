// Feasibility, ordering and the Pareto set, on hand-made catalogues.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "AdviserCatalogues.h"
#include "adviser/CoreAdviser.h"

namespace coilsmith::adviser {
namespace {

class ReasonCatalogue : public ::testing::Test {
  protected:
    Ranking rank(AdviserOptions options = {}) {
        const ChokeModel window = test::specifiedWindow(catalogue.path(), prompter);
        EXPECT_EQ(window.text("minAP"), "2.363");
        return rankCores(window, options);
    }
    static const Candidate& find(const Ranking& r, const std::string& core,
                                 const std::string& material) {
        for (const Candidate& c : r.candidates) {
            if (c.core == core && c.material == material) {
                return c;
            }
        }
        throw std::runtime_error("no candidate " + core + " " + material);
    }

    test::AdviserCatalogue catalogue{test::reasonTables()};
    FakePrompter prompter;
};

struct ReasonCase {
    const char* core;
    const char* material;
    std::string reason;  // empty: feasible
};

TEST_F(ReasonCatalogue, EachCoreFailsForItsOwnReason) {
    const Ranking ranking = rank();
    const ReasonCase cases[] = {
        {"BIG", "M60", ""},
        {"BIG", "MB", ""},
        {"BIG2", "MB", ""},
        {"TBIG", "M60", ""},
        {"SMALL", "M60", std::string(kApTooSmall)},
        {"BMAX", "M60", std::string(kBmaxAboveLimit)},
        {"FULL", "M60", std::string(kWindowOverfull)},
        {"ZERO", "M60", "LC is not positive"},
        {"TNOHT", "M60", "HT is empty or not a number"},
    };
    for (const auto& [core, material, reason] : cases) {
        SCOPED_TRACE(std::string(core) + " " + material);
        const Candidate& c = find(ranking, core, material);
        EXPECT_EQ(c.reason, reason);
        EXPECT_EQ(c.feasible, reason.empty());
        EXPECT_EQ(c.rank > 0, reason.empty());
    }
    EXPECT_EQ(ranking.candidates.size(), 12u);
    EXPECT_EQ(ranking.feasibleCount, 7u);
    EXPECT_FALSE(find(ranking, "ZERO", "M60").completed);
    EXPECT_FALSE(find(ranking, "TNOHT", "M60").completed);
}

TEST_F(ReasonCatalogue, ATemperatureLimitMakesDesignsTooHot) {
    const Ranking unlimited = rank();
    AdviserOptions options;
    options.key = RankKey::Trise;
    options.maxTempRise = rank(options).candidates.front().tempRise;  // the coolest, exactly
    const Ranking limited = rank(options);
    std::size_t tooHot = 0;
    for (const Candidate& before : unlimited.candidates) {
        if (!before.feasible) {
            continue;
        }
        const Candidate& after = find(limited, before.core, before.material);
        const bool cool = before.tempRise <= *options.maxTempRise;
        EXPECT_EQ(after.feasible, cool) << before.core << " " << before.material;
        EXPECT_EQ(after.reason, cool ? "" : kTooHot);
        tooHot += !cool;
    }
    EXPECT_GE(tooHot, 1u);
    EXPECT_GE(limited.feasibleCount, 1u);
}

double keyValue(const Candidate& c, RankKey key) {
    switch (key) {
        case RankKey::Loss:
            return c.totalLoss;
        case RankKey::Trise:
            return c.tempRise;
        case RankKey::Weight:
            return c.totalWeight;
        case RankKey::Cost:
            return *c.cost;
        case RankKey::Volume:
            return *c.volume;
    }
    return 0;
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
    const auto at = [&](const char* material) {
        return std::find_if(all.begin(), all.end(), [&](const Candidate& c) {
            return c.core == "BIG" && c.material == material;
        });
    };
    EXPECT_EQ(at("M60") + 1, at("M60B"));
}

INSTANTIATE_TEST_SUITE_P(Keys, RankKeys,
                         ::testing::Values(RankKey::Loss, RankKey::Trise, RankKey::Weight,
                                           RankKey::Cost, RankKey::Volume),
                         [](const auto& info) { return std::string(rankKeyName(info.param)); });

TEST(RankKeyNames, ReadBackAndRejectOthers) {
    for (const RankKey key :
         {RankKey::Loss, RankKey::Trise, RankKey::Weight, RankKey::Cost, RankKey::Volume}) {
        EXPECT_EQ(rankKeyFromName(rankKeyName(key)), key);
    }
    EXPECT_FALSE(rankKeyFromName("Loss"));
    EXPECT_FALSE(rankKeyFromName(""));
}

// --- Pareto ------------------------------------------------------------------------

Candidate point(const char* core, double loss, double weight, bool feasible = true) {
    Candidate c;
    c.core = core;
    c.totalLoss = loss;
    c.totalWeight = weight;
    c.feasible = feasible;
    return c;
}

TEST(Pareto, KeepsWhatNothingBeatsOnBothLossAndWeight) {
    std::vector<Candidate> points = {
        point("C", 3, 4),  // beaten by B
        point("A", 1, 5),        point("B", 2, 3),
        point("D", 2, 3),                           // B's twin: neither beats the other
        point("E", 4, 1),        point("F", 4, 2),  // beaten by E (same loss, heavier)
        point("G", 0, 0, false),  // not feasible: neither on the front nor beating others
    };
    markPareto(points);
    std::map<std::string, bool> onFront;
    for (const Candidate& c : points) {
        onFront[c.core] = c.pareto;
    }
    const std::map<std::string, bool> expected = {{"A", true}, {"B", true}, {"C", false},
                                                  {"D", true}, {"E", true}, {"F", false},
                                                  {"G", false}};
    EXPECT_EQ(onFront, expected);
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
    const Ranking r = rankCores(closed);
    ASSERT_TRUE(r.problem);
    EXPECT_NE(r.problem->find("/nonexistent/Cores.csx"), std::string::npos);
}

}  // namespace
}  // namespace coilsmith::adviser
