#pragma once

#include <algorithm>
#include <ostream>
#include <string>

#include "platform/Prompter.h"

namespace coilsmith::cli {

// Every message the design window would show becomes one line of the stream. Questions
// are answered No: a script never saves behind the user's back.
class StreamPrompter final : public Prompter {
  public:
    explicit StreamPrompter(std::ostream& stream) : stream_(stream) {}

    void message(const std::string& text) override { stream_ << oneLine(text) << "\n"; }
    bool askYesNo(const std::string& text) override {
        stream_ << oneLine(text) << " (answered No)\n";
        return false;
    }

  private:
    static std::string oneLine(std::string text) {
        std::replace(text.begin(), text.end(), '\n', ' ');
        std::replace(text.begin(), text.end(), '\r', ' ');
        return text;
    }

    std::ostream& stream_;
};

}  // namespace coilsmith::cli
