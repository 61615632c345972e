#pragma once

#include <string>
#include <vector>

#include "platform/Clipboard.h"

namespace coilsmith {

// A clipboard for tests: holds one text and records every text put on it.
class FakeClipboard final : public Clipboard {
  public:
    FakeClipboard() = default;
    explicit FakeClipboard(std::string initial) : contents(std::move(initial)) {}

    std::string text() const override { return contents; }
    void setText(const std::string& text) override {
        contents = text;
        written.push_back(text);
    }

    std::string contents;
    std::vector<std::string> written;
};

}  // namespace coilsmith
