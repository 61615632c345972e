#pragma once

#include <iosfwd>
#include <type_traits>
#include <variant>

#include <nlohmann/json.hpp>

namespace coilsmith::cli {

// Every JSON output of the command line: keys in the order they are added.
using Json = nlohmann::ordered_json;

// Writes `document` indented by two spaces and ended by a line break. A text that is not
// UTF-8 (a catalogue name) has its bad bytes replaced by U+FFFD, so the output stays JSON.
void writeJson(std::ostream& out, const Json& document);

// The value a table field holds, none of them (monostate) being null.
template <class... Values>
Json jsonOf(const std::variant<std::monostate, Values...>& value) {
    return std::visit(
        [](const auto& v) -> Json {
            if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::monostate>) {
                return nullptr;
            } else {
                return v;
            }
        },
        value);
}

}  // namespace coilsmith::cli
