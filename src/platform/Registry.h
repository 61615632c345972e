#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace coilsmith {

// The few registry operations the about box needs to find the System Information tool.
// Raw values come back as the bytes the registry holds, as characters.
class Registry {
  public:
    static constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
    static constexpr std::uint32_t kKeyRead = 0x20019u;  // read access only
    static constexpr std::uint32_t kRegSz = 1;
    static constexpr std::uint32_t kRegDword = 4;

    struct QueryResult {
        std::uint32_t type = 0;
        std::string data;  // `size` characters as the registry returned them
    };

    virtual ~Registry() = default;
    // Opens a key; nullopt when it cannot be opened. The handle is closed by closeKey.
    virtual std::optional<std::uintptr_t> openKey(std::uint32_t root, const std::string& path,
                                                  std::uint32_t access) = 0;
    // Queries a value into a buffer of `bufferSize` characters; nullopt on failure.
    virtual std::optional<QueryResult> queryValue(std::uintptr_t key, const std::string& name,
                                                  std::size_t bufferSize) = 0;
    virtual void closeKey(std::uintptr_t key) = 0;
};

}  // namespace coilsmith
