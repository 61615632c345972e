#pragma once

#include <optional>
#include <string>

namespace coilsmith {

// Replaces the file's contents in one step: the bytes go to a temporary file that is
// renamed over the old one only when all of it was written, so a failure leaves the old
// file as it was. Returns the reason of a failure, nullopt on success.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace coilsmith
