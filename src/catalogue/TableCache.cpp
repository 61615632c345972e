#include "catalogue/TableCache.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <optional>
#include <utility>

#include "catalogue/TableLoader.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#endif

namespace coilsmith::catalogue {
namespace {

// What tells one version of a file from the next. A rewrite by rename changes the file's
// identity even when size and time happen to match.
struct FileStamp {
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

std::optional<FileStamp> stampOf(const std::filesystem::path& file) {
#if defined(__unix__) || defined(__APPLE__)
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return std::nullopt;
    }
#if defined(__APPLE__)
    const auto& time = info.st_mtimespec;
#else
    const auto& time = info.st_mtim;
#endif
    return FileStamp{static_cast<std::uintmax_t>(info.st_size),
                     static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec,
                     static_cast<std::uint64_t>(info.st_dev),
                     static_cast<std::uint64_t>(info.st_ino)};
#else
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        return std::nullopt;
    }
    const auto time = std::filesystem::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return FileStamp{size, static_cast<std::int64_t>(time.time_since_epoch().count()), 0, 0};
#endif
}

struct Entry {
    FileStamp stamp;
    std::shared_ptr<const Table> table;
};

class Cache {
  public:
    std::shared_ptr<const Table> get(const std::string& file, const std::string& table) {
        std::error_code error;
        const auto canonical = std::filesystem::canonical(file, error);
        const auto stamp = error ? std::nullopt : stampOf(canonical);
        if (!stamp) {
            return loadTable(file, table);  // reports the missing file
        }
        Key key{canonical.string(), table};
        {
            const std::lock_guard lock(mutex_);
            const auto hit = entries_.find(key);
            if (hit != entries_.end() && hit->second.stamp == *stamp) {
                return hit->second.table;
            }
        }
        // Loaded outside the lock: other tables stay available meanwhile. The stamp was
        // taken before reading, so a file changed during the read is read again next time.
        auto loaded = loadTable(file, table);
        const std::lock_guard lock(mutex_);
        entries_.insert_or_assign(std::move(key), Entry{*stamp, loaded});
        return loaded;
    }

    void clear() {
        const std::lock_guard lock(mutex_);
        entries_.clear();
    }

  private:
    using Key = std::pair<std::string, std::string>;  // canonical path, table
    std::mutex mutex_;
    std::map<Key, Entry> entries_;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

}  // namespace

std::shared_ptr<const Table> cachedTable(const std::string& file, const std::string& table) {
    return cache().get(file, table);
}

void clearTableCache() {
    cache().clear();
}

}  // namespace coilsmith::catalogue
