#pragma once

#include <string>

namespace coilsmith {

// The system clipboard, plain text.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace coilsmith
