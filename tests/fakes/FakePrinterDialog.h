#pragma once

#include <memory>

#include "fakes/RecordingPrinter.h"
#include "platform/PrinterDialog.h"

namespace coilsmith {

// Answers as scripted. The printer it hands out starts as a copy of `printer`, which the
// dialog keeps, and is copied back into it when the report releases it, so the recording
// stays readable afterwards.
class FakePrinterDialog final : public PrinterDialog {
  public:
    Outcome outcome = Outcome::Chosen;
    RecordingPrinter printer;

    Result choose() override {
        if (outcome != Outcome::Chosen) {
            return {outcome, nullptr};
        }
        return {Outcome::Chosen, std::make_unique<Handed>(printer)};
    }

  private:
    struct Handed final : RecordingPrinter {
        explicit Handed(RecordingPrinter& kept) : RecordingPrinter(kept), kept_(kept) {}
        ~Handed() override { kept_ = *this; }
        RecordingPrinter& kept_;
    };
};

}  // namespace coilsmith
