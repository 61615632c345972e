#pragma once

#include <string>

namespace coilsmith {

// Modal message boxes titled "Coilsmith": messages with an OK button and the save
// question with Yes and No.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual void message(const std::string& text) = 0;
    virtual bool askYesNo(const std::string& text) = 0;  // true for Yes
};

}  // namespace coilsmith
