#include "platform/SystemRegistry.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <vector>
#endif

namespace coilsmith {

namespace {

#ifdef _WIN32

HKEY toHkey(std::uintptr_t key) {
    return reinterpret_cast<HKEY>(key);
}

// Predefined roots are 32-bit values that the API sign-extends to a handle.
HKEY rootHkey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

class WindowsRegistry final : public Registry {
  public:
    std::optional<std::uintptr_t> openKey(std::uint32_t root, const std::string& path,
                                          std::uint32_t access) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(rootHkey(root), path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return reinterpret_cast<std::uintptr_t>(key);
    }

    std::optional<QueryResult> queryValue(std::uintptr_t key, const std::string& name,
                                          std::size_t bufferSize) override {
        std::vector<BYTE> buffer(bufferSize, 0);
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(bufferSize);
        if (RegQueryValueExA(toHkey(key), name.c_str(), nullptr, &type, buffer.data(), &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        QueryResult result;
        result.type = type;
        result.data.assign(reinterpret_cast<const char*>(buffer.data()), size);
        return result;
    }

    void closeKey(std::uintptr_t key) override { RegCloseKey(toHkey(key)); }
};

#else

class NoRegistry final : public Registry {
  public:
    std::optional<std::uintptr_t> openKey(std::uint32_t, const std::string&,
                                          std::uint32_t) override {
        return std::nullopt;
    }
    std::optional<QueryResult> queryValue(std::uintptr_t, const std::string&,
                                          std::size_t) override {
        return std::nullopt;
    }
    void closeKey(std::uintptr_t) override {}
};

#endif

}  // namespace

std::unique_ptr<Registry> makeSystemRegistry() {
#ifdef _WIN32
    return std::make_unique<WindowsRegistry>();
#else
    return std::make_unique<NoRegistry>();
#endif
}

bool systemHasRegistry() noexcept {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

}  // namespace coilsmith
