#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace coilsmith {

// A registry held in memory for tests. Keys are found by root and path; a key can be
// marked as readable only (opening it for more than reading is refused, as for an
// ordinary user on a machine-wide key) or as failing every query. Every call is recorded.
class MemoryRegistry final : public Registry {
  public:
    struct Value {
        std::uint32_t type = kRegSz;
        std::string data;  // the raw bytes, terminating NUL included when the value has one
    };
    struct Key {
        std::map<std::string, Value> values;
        bool readOnlyForUser = true;
        bool failQueries = false;
    };
    struct Opened {
        std::uint32_t root;
        std::string path;
        std::uint32_t access;
    };

    Key& addKey(std::uint32_t root, const std::string& path) { return keys_[{root, path}]; }
    void setValue(std::uint32_t root, const std::string& path, const std::string& name,
                  Value value) {
        addKey(root, path).values[name] = std::move(value);
    }

    std::optional<std::uintptr_t> openKey(std::uint32_t root, const std::string& path,
                                          std::uint32_t access) override {
        opened.push_back({root, path, access});
        const auto it = keys_.find({root, path});
        if (it == keys_.end()) {
            return std::nullopt;
        }
        if (it->second.readOnlyForUser && (access & ~kKeyRead) != 0) {
            return std::nullopt;
        }
        const std::uintptr_t handle = nextHandle_++;
        handles_[handle] = &it->second;
        openHandles.push_back(handle);
        return handle;
    }

    std::optional<QueryResult> queryValue(std::uintptr_t key, const std::string& name,
                                          std::size_t bufferSize) override {
        queried.push_back(name);
        const auto it = handles_.find(key);
        if (it == handles_.end() || it->second->failQueries) {
            return std::nullopt;
        }
        const auto value = it->second->values.find(name);
        if (value == it->second->values.end() || value->second.data.size() > bufferSize) {
            return std::nullopt;
        }
        return QueryResult{value->second.type, value->second.data};
    }

    void closeKey(std::uintptr_t key) override {
        closed.push_back(key);
        openHandles.erase(std::remove(openHandles.begin(), openHandles.end(), key),
                          openHandles.end());
    }

    std::vector<Opened> opened;
    std::vector<std::string> queried;
    std::vector<std::uintptr_t> closed;
    std::vector<std::uintptr_t> openHandles;  // opened and not closed yet

  private:
    std::map<std::pair<std::uint32_t, std::string>, Key> keys_;
    std::map<std::uintptr_t, Key*> handles_;
    std::uintptr_t nextHandle_ = 0x100;
};

}  // namespace coilsmith
