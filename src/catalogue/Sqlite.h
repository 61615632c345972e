#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <string_view>

// Owning handles over the sqlite3 C API, shared by the catalogue store and its build tool.
namespace coilsmith::sqlite {

struct CloseDatabase {
    void operator()(sqlite3* connection) const noexcept { sqlite3_close(connection); }
};
struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};

using Database = std::unique_ptr<sqlite3, CloseDatabase>;
using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

// A name as an SQL identifier: "E-Cores" needs quoting for its hyphen.
inline std::string quoted(std::string_view name) {
    std::string out = "\"";
    for (const char c : name) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    out += '"';
    return out;
}

inline std::string lastError(sqlite3* connection) {
    return connection != nullptr ? sqlite3_errmsg(connection) : "out of memory";
}

}  // namespace coilsmith::sqlite
