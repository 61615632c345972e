#pragma once

#include <QGuiApplication>
#include <memory>
#include <string>

#include "check/ReportContent.h"
#include "platform/Prompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith {

// The report's fonts need a running application; offscreen is enough.
inline void fontApplication() {
    static int argc = 1;
    static char name[] = "report_tests";
    static char* argv[] = {name, nullptr};
    static const QGuiApplication app(argc, argv);
}

// A toroid design run from the window's creation texts on the shipped catalogue (the
// last toroid in the list, its first material).
inline std::unique_ptr<ChokeModel> completedDesign(const std::string& catalogueDir,
                                                   Prompter& prompter) {
    auto model = std::make_unique<ChokeModel>(ChokeModel::Options{catalogueDir, "", NumberLocale{}},
                                              prompter);
    model->calculateAreaProduct();
    model->setOption("Toroid", true);
    model->chooseItem("Core", static_cast<int>(model->control("Core").items.size()) - 1);
    model->chooseItem("CoreMat", 0);
    model->runDesign();
    return model;
}

// Texts longer than any column of the report: a deep design path, a long core name, a long
// figure label and value, and more verdicts with long reasons than one page holds.
inline ReportContent crowded(ReportContent content) {
    content.fileName.clear();
    for (int i = 0; i < 12; ++i)
        content.fileName += "/a-rather-long-folder-name-" + std::to_string(i);
    content.fileName += "/output-choke-for-the-buck-converter.txt";
    content.results.coreAndMaterial =
        "A core name from an extended catalogue, far longer than any shipped one";
    content.results.temperatureRise = "1234567890123456789012345678901234567890";
    if (!content.check)
        return content;
    CheckTexts& check = content.check->texts;
    check.figures.push_back({"Copper", "Rac / Rdc at the ripple frequency", "7.606", ""});
    check.figures.push_back({"Copper", "Hot temperature", "53.6", "°C"});
    check.figures.push_back(
        {"Winding", "Winding fits", "No: the winding needs 4 layers and the window holds 3", ""});
    const std::string reason =
        "the core's area product 4.876 cm^4 is below the minimum 126253.125 cm^4 that the "
        "specification asks for, so the results lie outside the method's range";
    for (int i = 0; i < 24; ++i) {
        check.verdicts.push_back(
            {i % 2 ? "Area product" : "Hot temperature", Verdict::Warning, "Unavailable", reason});
    }
    return content;
}

}  // namespace coilsmith
