#include "frame/RecentFiles.h"

#include <algorithm>

namespace coilsmith {

RecentFiles::RecentFiles(std::vector<std::string> paths) {
    // Added oldest first, so that a stored list with doubles or too many entries comes
    // back in order and within bounds.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        if (!it->empty()) {
            add(*it);
        }
    }
}

void RecentFiles::add(const std::string& path) {
    std::erase(paths_, path);
    paths_.insert(paths_.begin(), path);
    if (paths_.size() > kMaximum) {
        paths_.resize(kMaximum);
    }
}

std::vector<std::string> RecentFiles::dropMissing(
    const std::function<bool(const std::string&)>& exists) {
    std::vector<std::string> missing;
    std::erase_if(paths_, [&](const std::string& path) {
        if (exists(path)) {
            return false;
        }
        missing.push_back(path);
        return true;
    });
    return missing;
}

}  // namespace coilsmith
