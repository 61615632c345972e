#pragma once

#include <optional>
#include <string>

#include "platform/Prompter.h"
#include "windowmodel/ChokeModel.h"

namespace coilsmith::cli {

// Where a command finds its design and catalogue, and how the file writes its numbers.
struct DesignSource {
    std::string inputPath;
    std::string cataloguePath;  // empty: $COILSMITH_CATALOGUE, else the shipped Cores.csx
    std::string decimalPoint = ".";
};

// The separators for a file written with `decimalPoint`: grouping is the other of ',' '.'.
NumberLocale localeFor(const std::string& decimalPoint);

// Reads the design file into a fresh design window and replays Open, as the program does.
// nullopt when the file or the catalogue cannot be used, or when the file's numbers are
// written with the other decimal point; the reason went to `prompter`.
std::optional<ChokeModel> openDesign(const DesignSource& source, const std::string& programDir,
                                     Prompter& prompter);

}  // namespace coilsmith::cli
