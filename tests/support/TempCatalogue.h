#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "CsxBuilder.h"

namespace coilsmith::test {

// A catalogue database built from CSV texts, unchecked so tests can hold bad data, into a
// temporary file that is removed again at the end.
class TempCatalogue {
  public:
    explicit TempCatalogue(const csx::CsvTables& tables) : path_(uniquePath()) { rebuild(tables); }
    ~TempCatalogue() {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TempCatalogue(const TempCatalogue&) = delete;
    TempCatalogue& operator=(const TempCatalogue&) = delete;

    const std::string& path() const noexcept { return path_; }
    void rebuild(const csx::CsvTables& tables) const {
        csx::buildCatalogue(tables, path_, {.validate = false});
    }

  private:
    static std::string uniquePath() {
        static std::atomic<int> counter{0};
        return std::filesystem::temp_directory_path() / ("coilsmith-" + std::to_string(::getpid()) +
                                                         "-" + std::to_string(counter++) + ".csx");
    }
    std::string path_;
};

}  // namespace coilsmith::test
