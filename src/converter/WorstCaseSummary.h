#pragma once

#include <string>
#include <vector>

#include "converter/ConverterSpecification.h"

// What a converter asks of its choke, in words: the duty cycle over the input range and the
// worst case of each figure with the input that gives it. The desktop dialog and the
// command line show the same rows.
namespace coilsmith::converter {

struct SummaryRow {
    std::string quantity;  // "D", "L", "Idc", "ΔI", "ΔI/Idc"
    std::string value;     // "33.33 µH", "1.5 A p-p"
    std::string where;     // "largest at Vin 36 V (D = 0.333)"
};

std::vector<SummaryRow> worstCaseSummary(const ConverterInput& input,
                                         const ConverterSpecification& specification);

// One line naming the converter: "buck 18 V to 36 V -> 12 V, 5 A at 100 kHz, efficiency 1".
std::string converterLine(const ConverterInput& input);

}  // namespace coilsmith::converter
