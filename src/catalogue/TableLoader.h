#pragma once

#include <memory>
#include <string>

#include "catalogue/Table.h"

namespace coilsmith::catalogue {

// Reads one table with its named indexes ("<table>.<index>") from a catalogue file,
// read-only: a missing file is reported, never created. A table the program knows must
// have all its fields. CatalogueError naming the file and what is wrong.
std::shared_ptr<const Table> loadTable(const std::string& file, const std::string& table);

}  // namespace coilsmith::catalogue
