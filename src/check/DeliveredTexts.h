#pragma once

#include <optional>
#include <string>
#include <vector>

#include "check/CheckTexts.h"
#include "check/DeliveredCheck.h"

namespace coilsmith {

// One figure "As designed" beside the same figure of the delivered design, in the designed
// figure's unit; `changed` when the delivered text differs from the designed one.
struct ComparedFigureRow {
    std::string part;
    std::string label;
    std::string designed;
    std::string delivered;  // empty when the delivered design has no such figure
    std::string unit;
    bool changed = false;
};

struct DeliveredTexts {
    std::vector<ComparedFigureRow> figures;
    std::vector<CheckVerdictRow> verdicts;  // of the delivered design
    std::string summary;                    // what changed, in plain words
};

inline constexpr const char* kStackPart = "Stack and weight";

// The check's figures beside the delivered design's, its verdicts and the sentence that says
// what changed ("41 turns instead of 34 reach 100.4 µH at 5 A; the winding still fits in 2
// layers"). Without a delivered design the column is empty and the sentence gives the reason.
DeliveredTexts deliveredTexts(const CheckTexts& check, const DesignCheckInput& input,
                              const DeliveredCheck& delivered);

}  // namespace coilsmith

namespace coilsmith {

// The stack choice as the check page lists it and the settings keep it: "1", "2", "3" and
// "smallest that passes"; an unknown text reads as the smallest that passes.
std::vector<std::string> stackChoiceTexts();
std::string stackChoiceText(StackChoice stack);
StackChoice stackChoiceFromText(const std::string& text);

}  // namespace coilsmith
