#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "check/DesignCheck.h"
#include "physics/DeliveredDesign.h"

namespace coilsmith::cli {

enum class CheckFormat { Table, Csv, Json };
std::optional<CheckFormat> checkFormatFromName(std::string_view name) noexcept;

// The delivered design of the design's core and material shown beside it; `failure` says
// why there is none.
struct DeliveredColumn {
    std::optional<physics::DeliveredDesign> design;
    std::optional<std::string> failure;
};

// The check of one design. `turns` and `awg` are the design's; `requiredInductanceH` the
// specification's. Table: aligned figure, value and unit columns, then the verdicts.
// CSV: one header row of the keys and one row (the curve is left out). JSON: one object,
// the curve included. A figure that is unavailable is empty (CSV) or null (JSON) and the
// part's *_unavailable key says why. The delivered design is the table's second column,
// the CSV's delivered_* columns and the JSON's "delivered" object.
void writeCheck(std::ostream& out, const DesignCheck& check, const DesignCheckInput& input,
                const DeliveredColumn& delivered, CheckFormat format);

// The keys, with their units, for the command's help.
extern const std::string_view kCheckKeysHelp;

}  // namespace coilsmith::cli
