// The adviser's numbers are those of a window driven by hand, whatever the threads and index.
#include <gtest/gtest.h>

#include <set>

#include "AdviserCatalogues.h"
#include "adviser/AdviserEngine.h"
#include "adviser/RankingFilter.h"
#include "windowmodel/DesignFile.h"

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
            {"EffMu", t.EffMu}, {"NTurns", t.NTurns},
            {"WAWG", t.WAWG},   {"DCR", t.DCR},
            {"CUL", t.CUL},     {"COL", t.COL},
            {"PTOT", t.PTOT},   {"TWT", t.TWT},
            {"TRISE", t.TRISE}, {"FDmax", t.FDmax},
            {"FDac", t.FDac},   {"FIdc", t.FIdc},
            {"CDact", t.CDact}, {"Price", t.Price},
            {"fCore", t.fCore}, {"Inductance", t.Inductance}};
        for (const auto& [box, text] : boxes) {
            EXPECT_EQ(text, hand.text(box)) << box << " " << c.core << " " << c.material;
        }
        // The unrounded numbers behind the texts, the core's figures and the design check,
        // though the ranking loaded the reference tables only once.
        const DesignNumbers& n = hand.lastDesign()->numbers;
        const DesignState& s = hand.state();
        ASSERT_TRUE(hand.lastCheck());
        const DesignCheck& check = *hand.lastCheck();
        const auto figure = [](const auto& part, auto member) {
            return part.available() ? std::optional<double>((*part.figures).*member) : std::nullopt;
        };
        const std::pair<std::optional<double>, std::optional<double>> numbers[] = {
            {c.turns, n.N},
            {c.awg, n.AWG},
            {c.rdc, n.Rdc},
            {c.copperLoss, n.Pcu},
            {c.coreLoss, n.Pcore},
            {c.totalLoss, n.Ptot},
            {c.totalWeight, n.Wtot},
            {c.tempRise, n.Trise},
            {c.bmax, n.Bmax},
            {c.bac, n.bacTesla()},
            {c.hdc, n.hdcAmperesPerCm()},
            {c.currentDensity, n.Jact},
            {c.muEff, n.MuEff},
            {c.volume, parseNumber(hand.text("VCORE"))},
            {c.coreAP, s.Wa.value() * s.Ac.value()},
            {c.fill, n.N * n.Aw / s.Wa.value()},
            {c.cost, parseNumber(hand.text("Price"), hand.locale())},
            {c.lIdcPercent, figure(check.inductance, &InductanceFigures::atIdcPercent)},
            {c.woundFill, figure(check.winding, &WindingFigures::fill)},
            {c.hotRise, figure(check.copper, &CopperFigures::temperatureRiseC)}};
        for (std::size_t i = 0; i < std::size(numbers); ++i) {
            EXPECT_EQ(numbers[i].first, numbers[i].second) << i << " " << c.core << c.material;
        }
        EXPECT_EQ(c.checkPassed, checkPasses(check));
    }
    std::size_t listed = 0;  // every material the window lists for a core is a candidate
    for (const char* type : {"ECore", "Toroid"}) {
        ChokeModel hand = window;
        hand.setOption(type, true);
        const auto distinct = [](const std::vector<std::string>& items) {
            return std::set<std::string>(items.begin(), items.end());
        };
        for (const std::string& core : distinct(hand.control("Core").items)) {
            hand.setListText("Core", core);
            listed += distinct(hand.control("CoreMat").items).size();
        }
    }
    EXPECT_EQ(listed, ranking.candidates.size());
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
    [](const auto& info) { return info.param.Ldes + info.param.Lunit; });

// --- The core-row index lands where the walk lands -------------------------------

static std::string eCores(const std::vector<std::pair<const char*, const char*>>& numberAndAc) {
    std::string rows = "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n";
    for (const auto& [number, ac] : numberAndAc) {
        rows += std::string(number) + "," + ac + ",10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n";
    }
    return rows;
}

TEST(CoreRowIndex, LandsOnTheRowTheWalkFindsAndFollowsARewrittenCatalogue) {
    csx::CsvTables t;
    t["E-Cores"] = eCores({{"EA", "1"}, {"", "2"}, {"ea", "3"}, {"EA", "4"}, {"12", "5"}}) +
                   "EB,,10,10,,1.0,0.5,0.25,0.6,0.25,0.5,0\n";
    t["Toroids"] = "CoreNo,AC,VC,LC,OD,ID,HT\nT1,0.4,2,5,1.0,0.5,0.25\nT1,0.8,2,5,2,1,1\n";
    t["Materials"] = "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n" +
                     test::flatMaterial("M60", 7.0, 2.5);
    t["Core_Materials"] = "Core,Mat\nEA,M60\nea,M60\n12,M60\nEB,M60\n";
    t["Toroid_Materials"] = "Core,Mat\nT1,M60\n";
    const test::TempCatalogue catalogue(t);
    FakePrompter prompter;
    const ChokeModel specified = test::specifiedWindow(catalogue.path(), prompter);
    const std::pair<const char*, const char*> picks[] = {
        {"ECore", "EA"}, {"ECore", "ea"}, {"ECore", "12"},  {"ECore", "EB"},
        {"ECore", "EZ"}, {"ECore", ""},   {"Toroid", "T1"}, {"Toroid", "EA"}};
    for (const auto& [option, core] : picks) {
        FakePrompter walkPrompter, indexPrompter;
        ChokeModel walked = specified, indexed = specified;
        walked.setPrompter(walkPrompter);
        indexed.setPrompter(indexPrompter);
        indexed.indexCoreRows();
        for (ChokeModel* window : {&walked, &indexed}) {
            window->setOption(option, true);
            window->setTextRaw("Core", core);  // also names no list item
            window->selectCore();
        }
        EXPECT_EQ(walked.state(), indexed.state()) << option << " " << core;
        EXPECT_EQ(writeDesignFile(walked), writeDesignFile(indexed));  // every box's text
        EXPECT_EQ(walked.control("CoreMat").items, indexed.control("CoreMat").items);
        EXPECT_EQ(walkPrompter.messages, indexPrompter.messages);
    }
    ChokeModel window = specified;  // indexed, then the catalogue is rewritten
    window.indexCoreRows();
    t["E-Cores"] = eCores({{"EN", "7"}, {"EA", "9"}});
    catalogue.rebuild(t);
    window.setOption("ECore", true);
    ASSERT_TRUE(window.setListText("Core", "EA"));
    EXPECT_EQ(window.text("ACORE"), "9");
}

}  // namespace coilsmith::adviser
