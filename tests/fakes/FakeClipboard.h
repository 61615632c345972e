#pragma once

#include <string>

#include "platform/Clipboard.h"

namespace coilsmith {

// A clipboard for tests: holds one text.
class FakeClipboard final : public Clipboard {
  public:
    std::string text() const override { return contents; }
    void setText(const std::string& text) override { contents = text; }

    std::string contents;
};

}  // namespace coilsmith
