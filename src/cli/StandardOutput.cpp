#include "cli/StandardOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string_view>

namespace coilsmith::cli {

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() {
    flushPending();
}

std::string DescriptorOutput::failure() const {
    if (error_ == 0) {
        return {};
    }
    return error_ == EBADF ? "it is closed" : std::strerror(error_);
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type character) {
    if (!flushPending()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(character, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(character);
        pbump(1);
    }
    return traits_type::not_eof(character);
}

int DescriptorOutput::sync() {
    return flushPending() ? 0 : -1;
}

bool DescriptorOutput::flushPending() {
    std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    while (error_ == 0 && !pending.empty()) {
        const ssize_t written = ::write(fd_, pending.data(), pending.size());
        if (written < 0 && errno != EINTR) {
            error_ = errno;
        } else if (written == 0) {
            error_ = EIO;  // a device that takes nothing would keep us here for ever
        } else if (written > 0) {
            pending.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    return error_ == 0;
}

void holdClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            // open() takes the lowest free number, which is this one: the lower ones are open.
            if (::open("/dev/null", O_RDONLY) < 0) {
                return;
            }
        }
    }
}

int finishOutput(std::string_view who, int status, CommandContext& context) {
    context.out.flush();
    if (context.out) {
        return status;
    }
    const std::string reason = context.outputFailure ? context.outputFailure() : std::string();
    context.err << who << ": cannot write to standard output"
                << (reason.empty() ? "" : ": " + reason) << "\n";
    return kExitUsage;
}

}  // namespace coilsmith::cli
