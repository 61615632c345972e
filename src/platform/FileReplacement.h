#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace coilsmith {

// Why a file could not be written, in the system's words ("No space left on device").
class FileWriteError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Replaces a file's contents in one step, without Qt. The new bytes go to a temporary file
// beside the target (so the final rename stays on one file system); every write, the
// flush to disk and the close are checked, and only then is the temporary renamed over the
// target. Any failure leaves the old file byte for byte as it was and removes the
// temporary. A target that is a device or a pipe (/dev/stdout, /dev/full) cannot be
// renamed over: its bytes are gathered in a temporary file in the system's temporary
// folder and copied into it at commit, with the same checks.
//
// Whoever makes the bytes may write them itself to `temporaryPath()` (a PDF printer does)
// or hand them to `write`. Every operation throws FileWriteError.
class FileReplacement {
  public:
    explicit FileReplacement(const std::string& target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    const std::string& temporaryPath() const noexcept { return temporary_; }
    void write(std::string_view bytes);
    void commit();

  private:
    void copyIntoDevice();

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
    bool toDevice_ = false;
    bool committed_ = false;
};

// The whole of `bytes` becomes the file at `path`, or FileWriteError says why not.
void replaceFileContents(const std::string& path, std::string_view bytes);

}  // namespace coilsmith
