#include "platform/FileReplacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace coilsmith {

namespace {

[[noreturn]] void failWith(int error) {
    throw FileWriteError(std::strerror(error));
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            failWith(errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void closeChecked(int& fd) {
    const int closing = fd;
    fd = -1;
    if (::close(closing) != 0 && errno != EINTR) {
        failWith(errno);
    }
}

mode_t modeForNewFile() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string systemTemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A link is replaced where it points, so that the link itself survives; a link whose target
// does not exist yet creates that target. Each link of a chain is followed, relative ones
// from the folder of the link.
std::string resolvedTarget(const std::string& target) {
    constexpr int kMostLinks = 40;  // as the kernel's own limit (ELOOP)
    std::string path = target;
    for (int links = 0;; ++links) {
        struct stat link {};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
            return path;
        }
        if (links == kMostLinks) {
            failWith(ELOOP);
        }
        std::vector<char> pointsTo(PATH_MAX);
        const ssize_t length = ::readlink(path.c_str(), pointsTo.data(), pointsTo.size());
        if (length < 0 || static_cast<std::size_t>(length) >= pointsTo.size()) {
            failWith(length < 0 ? errno : ENAMETOOLONG);
        }
        const std::string next(pointsTo.data(), static_cast<std::size_t>(length));
        path = next.starts_with('/') ? next : folderOf(path) + "/" + next;
    }
}

}  // namespace

FileReplacement::FileReplacement(const std::string& target) : target_(resolvedTarget(target)) {
    if (target_.empty()) {
        failWith(ENOENT);
    }
    mode_t mode = modeForNewFile();
    struct stat existing {};
    if (::stat(target_.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            failWith(EISDIR);
        }
        toDevice_ = !S_ISREG(existing.st_mode);
        // Read-only by its mode even for a user whose permissions would allow the write.
        if (!toDevice_ && (existing.st_mode & 0222) == 0) {
            throw FileWriteError("the file is read-only");
        }
        if (::access(target_.c_str(), W_OK) != 0) {
            failWith(errno);
        }
        mode = existing.st_mode & 07777;
    } else if (errno != ENOENT) {
        failWith(errno);
    }
    const std::string folder = toDevice_ ? systemTemporaryFolder() : folderOf(target_);
    std::string pattern = folder + "/." + nameOf(target_) + ".XXXXXX";
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        failWith(errno);
    }
    temporary_ = pattern;
    ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
    if (!toDevice_ && ::fchmod(fd_, mode) != 0) {
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        ::unlink(temporary_.c_str());
        failWith(error);
    }
}

FileReplacement::~FileReplacement() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
    if (!committed_ && !temporary_.empty()) {
        ::unlink(temporary_.c_str());
    }
}

void FileReplacement::write(std::string_view bytes) {
    if (fd_ < 0) {
        failWith(EBADF);
    }
    writeAll(fd_, bytes);
}

void FileReplacement::commit() {
    if (fd_ < 0 || committed_) {
        failWith(EBADF);
    }
    if (toDevice_) {
        copyIntoDevice();
        closeChecked(fd_);
        ::unlink(temporary_.c_str());
        committed_ = true;
        return;
    }
    // Written data that the disk refuses later (full, quota) shows up here or at close.
    if (::fsync(fd_) != 0) {
        failWith(errno);
    }
    closeChecked(fd_);
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        failWith(errno);
    }
    committed_ = true;
}

void FileReplacement::copyIntoDevice() {
    if (::lseek(fd_, 0, SEEK_SET) < 0) {
        failWith(errno);
    }
    int device = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (device < 0) {
        failWith(errno);
    }
    try {
        char buffer[1 << 16];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got < 0) {
                failWith(errno);
            }
            if (got == 0) {
                break;
            }
            writeAll(device, std::string_view(buffer, static_cast<std::size_t>(got)));
        }
    } catch (...) {
        ::close(device);
        throw;
    }
    closeChecked(device);
}

void replaceFileContents(const std::string& path, std::string_view bytes) {
    FileReplacement file(path);
    file.write(bytes);
    file.commit();
}

}  // namespace coilsmith
