#include "platform/ProgramDir.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace coilsmith::cli {

namespace fs = std::filesystem;

std::string programDirectory(const char* argv0) {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error && self.has_parent_path()) {
        return self.parent_path().string();
    }
    if (argv0 != nullptr) {
        const fs::path invoked = fs::absolute(fs::path(argv0), error);
        if (!error && invoked.has_parent_path()) {
            return invoked.parent_path().string();
        }
    }
    return ".";
}

std::string locateDataFile(std::string_view fileName, const std::string& programDir) {
    const fs::path beside = fs::path(programDir) / fileName;
    const fs::path installed =
        (fs::path(programDir) / ".." / "share" / "coilsmith" / fileName).lexically_normal();
    std::error_code error;
    if (!fs::exists(beside, error) && fs::exists(installed, error)) {
        return installed.string();
    }
    return beside.string();
}

std::string locateCatalogue(const std::string& chosen, const std::string& programDir) {
    if (!chosen.empty()) {
        return chosen;
    }
    if (const char* named = std::getenv(kCatalogueVariable); named != nullptr && *named != '\0') {
        return named;
    }
    return locateDataFile("Cores.csx", programDir);
}

}  // namespace coilsmith::cli
