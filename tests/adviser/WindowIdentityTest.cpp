// The adviser's numbers are the design window's: every candidate against a window driven
// by hand, the core-row index against the walk, and one thread against several.
#include <gtest/gtest.h>

#include <set>

#include "AdviserCatalogues.h"
#include "adviser/CoreAdviser.h"

namespace coilsmith::adviser {
namespace {

using test::SpecTexts;

struct SpecCase {
    const char* name;
    SpecTexts spec;
};

class WindowIdentity : public ::testing::TestWithParam<SpecCase> {};

// What the engineer sees after picking the candidate's core and material by hand.
ChokeModel pickedByHand(const ChokeModel& window, const Candidate& c, FakePrompter& prompter) {
    ChokeModel hand = window;
    hand.setPrompter(prompter);
    hand.setOption(coreTypeOption(c.type), true);
    EXPECT_TRUE(hand.setListText("Core", c.core));
    EXPECT_TRUE(hand.setListText("CoreMat", c.material));
    hand.Design_Results();
    return hand;
}

TEST_P(WindowIdentity, EveryCandidateShowsWhatTheWindowShows) {
    FakePrompter prompter;
    const ChokeModel window =
        test::specifiedWindow(test::shippedCatalogue(), prompter, GetParam().spec);
    AdviserOptions options;
    options.threads = 2;
    const Ranking ranking = rankCores(window, options);
    ASSERT_FALSE(ranking.problem);
    std::set<std::string> materials;
    std::set<CoreType> types;
    for (const Candidate& c : ranking.candidates) {
        SCOPED_TRACE(c.core + " " + c.material);
        FakePrompter handPrompter;
        const ChokeModel hand = pickedByHand(window, c, handPrompter);
        if (!c.completed) {
            ASSERT_FALSE(handPrompter.messages.empty());
            EXPECT_EQ(c.reason, handPrompter.messages.front());
            continue;
        }
        materials.insert(c.material);
        types.insert(c.type);
        ASSERT_EQ(hand.selectedPage(), kResultsPage);
        const DesignResultTexts& t = c.texts;
        const std::pair<const char*, const std::optional<std::string>&> boxes[] = {
            {"EffMu", t.EffMu}, {"NTurns", t.NTurns}, {"WAWG", t.WAWG}, {"DCR", t.DCR},
            {"CUL", t.CUL},     {"COL", t.COL},       {"PTOT", t.PTOT}, {"TWT", t.TWT},
            {"TRISE", t.TRISE}, {"FDmax", t.FDmax},   {"FDac", t.FDac}, {"FIdc", t.FIdc},
            {"CDact", t.CDact}, {"Price", t.Price}};
        for (const auto& [box, text] : boxes) {
            EXPECT_EQ(text, hand.text(box)) << box;
        }
        ASSERT_TRUE(c.coreAP);
        EXPECT_EQ(formatFixed(*c.coreAP, 3), hand.text("APROD"));
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
    // Both core types, and materials of both forms of the AC permeability fit.
    EXPECT_EQ(types.size(), 2u);
    for (const char* polynomialFit : {"-38", "-45", "-52"}) {
        EXPECT_TRUE(materials.count(polynomialFit)) << polynomialFit;
    }
    EXPECT_TRUE(materials.count("-26"));
    EXPECT_TRUE(materials.count("-2"));
}

INSTANTIATE_TEST_SUITE_P(
    Specifications, WindowIdentity,
    ::testing::Values(SpecCase{"Default", {}},
                      SpecCase{"OneMilliHenry",
                               {"1", "mH", "2", "0.5", "100", "0.3", "300", "0.3"}},
                      SpecCase{"HighRipple", {"100", "uH", "5", "4", "20", "300", "800", "0.6"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowIdentity, ResultsDoNotDependOnTheNumberOfThreads) {
    FakePrompter prompter;
    const ChokeModel window = test::specifiedWindow(test::shippedCatalogue(), prompter);
    std::optional<Ranking> first;
    for (const unsigned threads : {1u, 2u, 4u}) {
        AdviserOptions options;
        options.threads = threads;
        const Ranking ranking = rankCores(window, options);
        ASSERT_GT(ranking.candidates.size(), 100u);
        if (!first) {
            first = ranking;
            continue;
        }
        EXPECT_EQ(ranking.candidates, first->candidates) << threads << " threads";
        EXPECT_EQ(ranking.feasibleCount, first->feasibleCount);
    }
}

TEST(WindowIdentity, ProgressCountsEveryCore) {
    FakePrompter prompter;
    const ChokeModel window = test::specifiedWindow(test::shippedCatalogue(), prompter);
    std::atomic<std::size_t> last{0}, total{0};
    AdviserOptions options;
    options.threads = 2;
    options.progress = [&](std::size_t done, std::size_t all) {
        last = std::max(last.load(), done);
        total = all;
    };
    rankCores(window, options);
    EXPECT_EQ(last.load(), total.load());
    EXPECT_EQ(total.load(), 30u);  // 10 E-cores and 20 toroids
}

TEST(WindowIdentity, AStopRequestEndsWithoutCandidates) {
    FakePrompter prompter;
    const ChokeModel window = test::specifiedWindow(test::shippedCatalogue(), prompter);
    std::stop_source stop;
    stop.request_stop();
    AdviserOptions options;
    options.stop = stop.get_token();
    const Ranking ranking = rankCores(window, options);
    EXPECT_TRUE(ranking.stopped);
    EXPECT_TRUE(ranking.candidates.empty());
}

// --- The core-row index lands where the walk lands -------------------------------

csx::CsvTables awkwardCores() {
    csx::CsvTables t;
    t["E-Cores"] =
        "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n"
        "EA,1,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        ",2,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "ea,3,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EA,4,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "12,5,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EB,,10,10,,1.0,0.5,0.25,0.6,0.25,0.5,0\n";
    t["Toroids"] = "CoreNo,AC,VC,LC,OD,ID,HT\nT1,0.4,2,5,1.0,0.5,0.25\nT1,0.8,2,5,2,1,1\n";
    t["Materials"] = "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n" +
                     test::flatMaterial("M60", 7.0, 2.5);
    t["Core_Materials"] = "Core,Mat\nEA,M60\nea,M60\n12,M60\nEB,M60\n";
    t["Toroid_Materials"] = "Core,Mat\nT1,M60\n";
    return t;
}

struct Pick {
    const char* option;
    const char* core;
};

class CoreRowIndex : public ::testing::TestWithParam<Pick> {};

TEST_P(CoreRowIndex, LandsOnTheRowTheWalkFinds) {
    const test::AdviserCatalogue catalogue(awkwardCores());
    FakePrompter walkPrompter, indexPrompter;
    ChokeModel walked = test::specifiedWindow(catalogue.path(), walkPrompter);
    ChokeModel indexed = walked;
    indexed.setPrompter(indexPrompter);
    indexed.indexCoreRows();
    for (ChokeModel* window : {&walked, &indexed}) {
        window->setOption(GetParam().option, true);
        window->setTextRaw("Core", GetParam().core);  // also names no list item
        window->Core_Click();
    }
    EXPECT_EQ(walked.state(), indexed.state());
    for (const Control& control : walked.controls()) {
        EXPECT_EQ(control.text, indexed.text(control.name)) << control.name;
        EXPECT_EQ(control.items, indexed.control(control.name).items) << control.name;
    }
    const auto sources = std::string(GetParam().option) == "ECore" ? &CatalogueSources::Data1
                                                                   : &CatalogueSources::Data4;
    EXPECT_EQ((walked.sources().*sources).recordset().AbsolutePosition(),
              (indexed.sources().*sources).recordset().AbsolutePosition());
    EXPECT_EQ(walkPrompter.messages, indexPrompter.messages);
}

INSTANTIATE_TEST_SUITE_P(Picks, CoreRowIndex,
                         ::testing::Values(Pick{"ECore", "EA"}, Pick{"ECore", "ea"},
                                           Pick{"ECore", "12"}, Pick{"ECore", "EB"},
                                           Pick{"ECore", "EZ"}, Pick{"ECore", ""},
                                           Pick{"Toroid", "T1"}, Pick{"Toroid", "EA"}));

TEST(CoreRowIndexTest, ACatalogueRewrittenMeanwhileIsWalkedAnew) {
    csx::CsvTables tables = awkwardCores();
    const test::AdviserCatalogue catalogue(tables);
    FakePrompter prompter;
    ChokeModel window = test::specifiedWindow(catalogue.path(), prompter);
    window.indexCoreRows();
    tables["E-Cores"] =
        "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n"
        "EN,7,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n"
        "EA,9,10,10,1.5,1.0,0.5,0.25,0.6,0.25,0.5,0\n";
    catalogue.rebuild(tables);
    window.setOption("ECore", true);
    ASSERT_TRUE(window.setListText("Core", "EA"));
    EXPECT_EQ(window.text("ACORE"), "9");
}

}  // namespace
}  // namespace coilsmith::adviser
