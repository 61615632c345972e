#include "cli/ProgramDir.h"

#include <filesystem>
#include <system_error>

namespace coilsmith::cli {

std::string programDirectory(const char* argv0) {
    namespace fs = std::filesystem;
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

}  // namespace coilsmith::cli
