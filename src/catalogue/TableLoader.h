#pragma once

#include <memory>
#include <string>

#include "catalogue/Table.h"

namespace coilsmith::catalogue {

// Reads one table with its named indexes ("<table>.<index>") from a catalogue file,
// read-only: nothing is created or written beside it, a missing file is reported. A table
// the program knows must have all its fields; its rows that break a physical-sense rule
// are marked (Table::rowProblems). Changes waiting in a WAL file are read; a change left
// unfinished by a program that stopped while writing is left out, and the table's notice
// says so. CatalogueError naming the file and what is wrong ("it is empty", "it is not a
// Coilsmith catalogue", "it is locked by another program", a missing table, field or
// index).
std::shared_ptr<const Table> loadTable(const std::string& file, const std::string& table);

}  // namespace coilsmith::catalogue
