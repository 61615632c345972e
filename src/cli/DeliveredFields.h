#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/JsonOutput.h"
#include "physics/DeliveredDesign.h"

// The figures of a delivered design as the command line prints them: the same keys in
// `check` (its "delivered" object and column) and in `rank --delivered`.
namespace coilsmith::cli {

using DeliveredValue = std::variant<std::monostate, bool, long, double, std::string>;

struct DeliveredField {
    std::string_view key;
    std::string_view label;  // the table's row caption
    std::string_view unit;   // the table's unit
    std::function<DeliveredValue(const physics::DeliveredDesign&)> value;  // empty: unavailable
    double tableScale = 1;  // the table shows µH and mΩ where the key has H and Ω
};

// Every figure, in key order, without the verdicts and the problem.
const std::vector<DeliveredField>& deliveredFields();

// Why the design is unavailable: the problem of delivering it, or the design's own.
std::optional<std::string> deliveredProblem(const std::optional<physics::DeliveredDesign>& design,
                                            const std::optional<std::string>& failure);

// The JSON object: every key, null where the figure cannot be had, the verdicts as an
// array of {check, verdict, reason} and the problem (null when there is none).
Json deliveredJson(const std::optional<physics::DeliveredDesign>& design,
                   const std::optional<std::string>& failure);

// The keys with their units, for the commands' help.
extern const std::string_view kDeliveredKeysHelp;

}  // namespace coilsmith::cli
