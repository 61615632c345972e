#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace coilsmith {

// The design files opened or saved last, newest first, each once, at most eight.
class RecentFiles {
  public:
    static constexpr std::size_t kMaximum = 8;

    explicit RecentFiles(std::vector<std::string> paths = {});

    const std::vector<std::string>& paths() const noexcept { return paths_; }
    // Puts `path` first; an older entry of it goes, and the oldest beyond eight.
    void add(const std::string& path);
    // Takes off the files `exists` no longer finds and returns them.
    std::vector<std::string> dropMissing(const std::function<bool(const std::string&)>& exists);

  private:
    std::vector<std::string> paths_;
};

}  // namespace coilsmith
