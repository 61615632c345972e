#pragma once

#include <memory>
#include <string>

#include "catalogue/Table.h"

namespace coilsmith::catalogue {

// The table as loadTable gives it, from a process-wide cache while the file is unchanged
// (same size, modification time and, where the system has one, file identity), so that
// refreshing an unchanged catalogue costs no database work. Thread-safe.
std::shared_ptr<const Table> cachedTable(const std::string& file, const std::string& table);

// Forgets every cached table (the next read goes to the file).
void clearTableCache();

}  // namespace coilsmith::catalogue
