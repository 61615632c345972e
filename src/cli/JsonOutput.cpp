#include "cli/JsonOutput.h"

#include <ostream>

namespace coilsmith::cli {

void writeJson(std::ostream& out, const Json& document) {
    constexpr int kIndent = 2;
    out << document.dump(kIndent, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace coilsmith::cli
