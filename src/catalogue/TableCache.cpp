#include "catalogue/TableCache.h"

#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

#include "catalogue/FileStamp.h"
#include "catalogue/TableLoader.h"

namespace coilsmith::catalogue {
namespace {

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
