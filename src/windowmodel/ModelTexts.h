#pragma once

#include <optional>
#include <string>

#include "check/CheckTexts.h"
#include "check/DeliveredTexts.h"
#include "check/ReportContent.h"

namespace coilsmith {

class ChokeModel;

// The window's view of its design: the texts of the last check and of the delivered design
// beside it (empty when the last Run left none), and the report of what the window shows.

std::optional<CheckTexts> checkTexts(const ChokeModel& model);
std::optional<DeliveredTexts> deliveredTexts(const ChokeModel& model);

// The report of the design the window shows, saved as `fileName` (its full path).
ReportContent reportContent(const ChokeModel& model, const std::string& fileName);

}  // namespace coilsmith
