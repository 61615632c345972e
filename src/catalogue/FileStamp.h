#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace coilsmith::catalogue {

// What tells one version of a file from the next: size, modification time and, where the
// system has one, the file's identity. A rewrite by rename changes the identity even when
// size and time happen to match.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file now; nullopt when it cannot be looked at (missing, no access).
std::optional<FileStamp> stampOf(const std::filesystem::path& file);

}  // namespace coilsmith::catalogue
