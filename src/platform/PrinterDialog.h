#pragma once

#include <memory>

#include "platform/Printer.h"

namespace coilsmith {

// The printer-selection dialog. A chosen printer comes back ready to print to; a cancel
// gives no printer and no error.
class PrinterDialog {
  public:
    enum class Outcome { Chosen, Cancelled, Failed };
    struct Result {
        Outcome outcome = Outcome::Cancelled;
        std::unique_ptr<Printer> printer;  // set only when Chosen
    };

    virtual ~PrinterDialog() = default;
    virtual Result choose() = 0;
};

}  // namespace coilsmith
