// The adviser's numbers are those of a window driven by hand, whatever the threads and index.
#include <gtest/gtest.h>

#include "AdviserCatalogues.h"
#include "adviser/AdviserEngine.h"
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
    const Ranking ranking = rankCores(window, options);
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
            {"APROD", formatFixed(c.coreAP.value(), 3)}};
        for (const auto& [box, text] : boxes) {
            EXPECT_EQ(text, hand.text(box)) << box << " " << c.core << " " << c.material;
        }
        EXPECT_EQ(c.volume, parseNumber(hand.text("VCORE")));
        // The check too, though the ranking loaded the reference tables only once.
        ASSERT_TRUE(hand.lastCheck());
        const DesignCheck& check = *hand.lastCheck();
        EXPECT_EQ(c.checkPassed, checkPasses(check));
        EXPECT_EQ(c.lIdcPercent.has_value(), check.inductance.available());
        if (c.lIdcPercent) {
            EXPECT_EQ(*c.lIdcPercent, check.inductance.figures->atIdcPercent);
        }
        EXPECT_EQ(c.hotRise.has_value(), check.copper.available());
        if (c.hotRise) {
            EXPECT_EQ(*c.hotRise, check.copper.figures->temperatureRiseC);
        }
    }
    options.threads = 1;
    EXPECT_EQ(rankCores(window, options).candidates, ranking.candidates);
    std::stop_source stop;
    stop.request_stop();
    options.stop = stop.get_token();
    const Ranking stopped = rankCores(window, options);
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
