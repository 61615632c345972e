// The adviser's numbers are those of a window driven by hand, whatever the threads and index.
#include <gtest/gtest.h>

#include "AdviserCatalogues.h"
#include "adviser/AdviserEngine.h"
#include "adviser/RankingFilter.h"
#include "method/StateViews.h"

namespace coilsmith::adviser {

class WindowIdentity : public ::testing::TestWithParam<test::SpecTexts> {};

TEST_P(WindowIdentity, EveryCandidateShowsWhatTheWindowShowsWithAnyNumberOfThreads) {
    FakePrompter prompter;
    const ChokeModel window = test::specifiedWindow(test::shippedCatalogue(), prompter, GetParam());
    std::atomic<std::size_t> finished{0};
    AdviserOptions options;
    options.threads = 2;
    options.progress = [&](std::size_t d, std::size_t n) { finished += d == n ? n : 0; };
    const Ranking ranking = test::rankWindow(window, options);
    EXPECT_EQ(finished.load(), 30u);  // once all of 10 E-cores and 20 toroids
    for (const Candidate& c : ranking.candidates) {
        prompter.clear();
        ChokeModel hand = window;  // the engineer picks the candidate's core and material
        hand.setOption(coreTypeOption(c.type), true);
        EXPECT_TRUE(hand.setListText("Core", c.core) && hand.setListText("CoreMat", c.material));
        hand.runDesign();
        if (!c.completed) {
            EXPECT_EQ(c.reason, prompter.messages.at(0)) << c.core << " " << c.material;
            continue;
        }
        const DesignResultTexts& t = c.texts;
        const std::pair<const char*, std::optional<std::string>> boxes[] = {
            {"EffMu", t.effectivePermeability},
            {"NTurns", t.turns},
            {"WAWG", t.wireGauge},
            {"DCR", t.resistance},
            {"CUL", t.copperLoss},
            {"COL", t.coreLoss},
            {"PTOT", t.totalLoss},
            {"TWT", t.totalWeight},
            {"TRISE", t.temperatureRise},
            {"FDmax", t.peakFluxDensity},
            {"FDac", t.acFluxDensity},
            {"FIdc", t.dcField},
            {"CDact", t.currentDensity},
            {"Price", t.relativeCost},
            {"fCore", t.coreAndMaterial},
            {"Inductance", t.inductance}};
        for (const auto& [box, text] : boxes) {
            EXPECT_EQ(text, hand.text(box)) << box << " " << c.core << " " << c.material;
        }
        // The unrounded numbers behind the texts, the core's figures and the design check,
        // though the ranking loaded the reference tables only once.
        const DesignNumbers& n = hand.lastDesign()->numbers;
        const CoreView core = coreView(hand.state());
        ASSERT_TRUE(hand.lastCheck());
        const DesignCheck& check = *hand.lastCheck();
        const auto figure = [](const auto& part, auto member) {
            return part.available() ? std::optional<double>((*part.figures).*member) : std::nullopt;
        };
        const std::pair<std::optional<double>, std::optional<double>> numbers[] = {
            {c.turns, n.turns},
            {c.awg, n.wireGauge},
            {c.rdc, n.resistanceOhm},
            {c.copperLoss, n.copperLossW},
            {c.coreLoss, n.coreLossW},
            {c.totalLoss, n.totalLossW},
            {c.totalWeight, n.totalWeightG},
            {c.tempRise, n.temperatureRiseC},
            {c.bmax, n.peakFluxDensityT},
            {c.bac, n.acFluxDensityT()},
            {c.hdc, n.dcFieldAPerCm()},
            {c.currentDensity, n.currentDensityAPerCm2},
            {c.muEff, n.effectivePermeability},
            {c.volume, parseNumber(hand.text("VCORE"))},
            {c.coreAP, core.windowAreaCm2.value() * core.crossSectionCm2.value()},
            {c.fill, n.turns * n.wireAreaCm2 / core.windowAreaCm2.value()},
            {c.cost, parseNumber(hand.text("Price"), hand.locale())},
            {c.lIdcPercent, figure(check.inductance, &InductanceFigures::atIdcPercent)},
            {c.woundFill, figure(check.winding, &WindingFigures::fill)},
            {c.hotRise, figure(check.copper, &CopperFigures::temperatureRiseC)}};
        for (std::size_t i = 0; i < std::size(numbers); ++i) {
            EXPECT_EQ(numbers[i].first, numbers[i].second) << i << " " << c.core << c.material;
        }
        EXPECT_EQ(c.checkPassed, checkPasses(check));
    }
    options.threads = 1;
    EXPECT_EQ(test::rankWindow(window, options).candidates, ranking.candidates);
    options.checkedOnly = true;  // as the window's filter keeps the passing ones
    const Ranking checked = test::rankWindow(window, options);
    EXPECT_EQ(checked.candidates,
              filteredRanking(ranking, {CoreTypeFilter::Both, std::nullopt, true}, options.key)
                  .candidates);
    EXPECT_TRUE(checked.checkedOnly && !checked.candidates.empty());
    std::stop_source stop;
    stop.request_stop();
    options.stop = stop.get_token();
    const Ranking stopped = test::rankWindow(window, options);
    EXPECT_TRUE(stopped.stopped && stopped.candidates.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Specifications, WindowIdentity,
    ::testing::Values(test::SpecTexts{},
                      test::SpecTexts{"1", "mH", "2", "0.5", "100", "0.3", "300", "0.3"},
                      test::SpecTexts{"100", "uH", "5", "4", "20", "300", "800", "0.6"}),
    [](const auto& info) { return info.param.inductance + info.param.inductanceUnit; });

}  // namespace coilsmith::adviser
