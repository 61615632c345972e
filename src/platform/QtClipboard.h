#pragma once

#include "platform/Clipboard.h"

namespace coilsmith {

// The system clipboard through QClipboard, plain text only.
class QtClipboard final : public Clipboard {
  public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

}  // namespace coilsmith
