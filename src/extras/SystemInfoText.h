#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace coilsmith {

using InfoLine = std::pair<QString, QString>;  // label, value

// What a support engineer asks for: the operating system, kernel, processor, Qt, the
// screens, the program folder and the catalogue with its row count per table.
std::vector<InfoLine> collectSystemInfo(const QString& appDir);

// The catalogue part alone: the file and each table's row count, or why it is unreadable.
std::vector<InfoLine> catalogueInfo(const QString& cataloguePath);

// The catalogue in one sentence: its path and how many cores and materials it holds, or
// that it is missing or cannot be read (then `readable` is false).
struct CatalogueSummary {
    bool readable = false;
    QString text;
};
CatalogueSummary catalogueSummary(const QString& cataloguePath);

// One "label: value" line each, for showing and copying.
QString systemInfoText(const std::vector<InfoLine>& lines);

}  // namespace coilsmith
