#include "cli/OpenDesign.h"

#include <variant>

#include "cli/ProgramDir.h"
#include "model/DesignFile.h"

namespace coilsmith::cli {

NumberLocale localeFor(const std::string& decimalPoint) {
    return NumberLocale{decimalPoint, decimalPoint == "," ? "." : ","};
}

std::optional<ChokeModel> openDesign(const DesignSource& source, const std::string& programDir,
                                     Prompter& prompter) {
    const auto file = readDesignFile(source.inputPath);
    if (const auto* error = std::get_if<DesignFileError>(&file)) {
        prompter.message(error->message);
        return std::nullopt;
    }
    ChokeModel model({programDir, locateCatalogue(source.cataloguePath, programDir),
                      localeFor(source.decimalPoint)},
                     prompter);
    if (!model.catalogueOpen()) {
        return std::nullopt;
    }
    loadDesignFile(model, std::get<DesignFileLines>(file));
    return model;
}

}  // namespace coilsmith::cli
