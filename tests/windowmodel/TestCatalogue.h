#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "CsxBuilder.h"
#include "TempCatalogue.h"
#include "fakes/FakePrompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::test {

// Small tables with the worked cores of the tests:
//  E-cores  EW  a 1.0 b 0.5 c 0.25 f 0.25 g 0.5, AC 0.4, WC 0.25, gap 0.1 mm (MLT 3.4925)
//           ED  AC 1, LC 10, WC 1.5, gap 0, d 1.0: the design worked example
//           EDUP twice (AC 0.5 first, 0.7 second), EC with links "EC", "ec", "EC",
//           E11 / EZ12 with 11 / 12 link rows (EZ12 last in index order),
//           ENOLINK without link rows, EMISS linking a missing material first
//  toroids  TW  OD 1.0 ID 0.5 HT 0.5, AC 0.6, VC 3, LC 6;  TNULL with an empty ID
//  materials M60 (MuEff 60 at any operating point), M01..M12, MEB with a flux fit 1 2 3 4
//  and a long eb;  bias curve M60: %mu = 1 / (0.01 + 1e-4 H);  wire AWG 16 (1.3645 mm)
csx::CsvTables workedTables();

// Counts the "Calculate AP" sizings the model reports.
struct CountingListener final : ChokeListener {
    int calls = 0;
    void areaProductCalculated() override { ++calls; }
};

// Tests on the worked tables, each with a fresh model and a fake prompter; `runWorkedExample`
// designs the worked example on ED with M60: 100 uH, 5 A DC, 1 A ripple, 37 turns AWG 16.
class WorkedTablesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { catalogue = std::make_unique<TempCatalogue>(workedTables()); }
    static void TearDownTestSuite() { catalogue.reset(); }
    void SetUp() override { recreate(); }
    void recreate(NumberLocale locale = {}, const std::string& path = catalogue->path()) {
        listener.calls = 0;
        model.emplace(ChokeModel::Options{"/opt/coilsmith", path, std::move(locale)}, prompter,
                      &listener);
    }
    ChokeModel& m() { return *model; }
    std::string texts(std::initializer_list<const char*> boxes) {  // joined by "|"
        std::string joined;
        for (const char* box : boxes) {
            joined += "|" + m().text(box);
        }
        return joined.substr(1);
    }

    // Specified, sized, ED and M60 picked; `runWorkedExample` then runs it to completion.
    void pickWorkedExample() {
        for (const auto& [box, text] : {std::pair{"Ldes", "100"}, {"DCC", "5"}, {"ACC", "1"}}) {
            m().editText(box, text);
        }
        m().calculateAreaProduct();
        m().setOption("ECore", true);
        ASSERT_TRUE(m().setListText("Core", "ED"));
        ASSERT_TRUE(m().setListText("CoreMat", "M60"));
    }
    void runWorkedExample() {
        pickWorkedExample();
        m().runDesign();
        ASSERT_TRUE(m().lastDesign() && m().lastDesign()->completed());
    }

    inline static std::unique_ptr<TempCatalogue> catalogue;
    CountingListener listener;
    FakePrompter prompter;
    std::optional<ChokeModel> model;
};

}  // namespace coilsmith::test
