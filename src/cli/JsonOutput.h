#pragma once

#include <iosfwd>

#include <nlohmann/json.hpp>

namespace coilsmith::cli {

// Every JSON output of the command line: keys in the order they are added.
using Json = nlohmann::ordered_json;

// Writes `document` indented by two spaces and ended by a line break. A text that is not
// UTF-8 (a catalogue name) has its bad bytes replaced by U+FFFD, so the output stays JSON.
void writeJson(std::ostream& out, const Json& document);

}  // namespace coilsmith::cli
