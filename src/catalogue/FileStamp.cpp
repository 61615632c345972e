#include "catalogue/FileStamp.h"

#if defined(__unix__) || defined(__APPLE__)
#include <sys/stat.h>
#endif

namespace coilsmith::catalogue {

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

}  // namespace coilsmith::catalogue
