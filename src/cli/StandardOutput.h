#pragma once

#include <array>
#include <streambuf>
#include <string>
#include <string_view>

#include "cli/Command.h"

namespace coilsmith::cli {

// A stream buffer that writes to a file descriptor with write(2) and keeps the reason of
// the first write that failed, so that "coilsmith-cli check f.txt > /dev/full" can say why
// its output is missing. After a failure nothing more is written.
class DescriptorOutput final : public std::streambuf {
  public:
    explicit DescriptorOutput(int fd);
    ~DescriptorOutput() override;
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    // Why a write failed ("No space left on device", "it is closed"); empty when none did.
    std::string failure() const;

  protected:
    int_type overflow(int_type character) override;
    int sync() override;

  private:
    bool flushPending();

    static constexpr std::size_t kBufferBytes = 1 << 14;
    int fd_;
    int error_ = 0;
    std::array<char, kBufferBytes> buffer_{};
};

// A standard stream (0, 1 or 2) that the caller left closed is opened read-only on
// /dev/null: no file the program opens later can then take its number and receive its
// output, and every write to it fails (EBADF), which DescriptorOutput reports.
void holdClosedStandardStreams();

// `status` once `context.out` is flushed; kExitUsage after saying on `context.err` why, when
// standard output did not take everything. `who` begins the message ("coilsmith-cli design").
int finishOutput(std::string_view who, int status, CommandContext& context);

}  // namespace coilsmith::cli
