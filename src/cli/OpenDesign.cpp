#include "cli/OpenDesign.h"

#include <variant>

#include "platform/ProgramDir.h"
#include "windowmodel/DesignFile.h"

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
    const auto& lines = std::get<DesignFileLines>(file);
    const NumberLocale locale = localeFor(source.decimalPoint);
    // Read with the wrong separator, the first number with a decimal part would be refused
    // by Open and again by Run: say once what is wrong instead.
    if (const auto point = foreignDecimalPoint(lines, locale)) {
        prompter.message("The numbers of " + source.inputPath +
                         " are written with the decimal point '" + *point + "', not '" +
                         source.decimalPoint + "': give --decimal-point " + *point);
        return std::nullopt;
    }
    ChokeModel model({programDir, locateCatalogue(source.cataloguePath, programDir), locale},
                     prompter);
    if (!model.catalogueOpen()) {
        return std::nullopt;
    }
    loadDesignFile(model, lines);
    return model;
}

}  // namespace coilsmith::cli
