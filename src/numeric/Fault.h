#pragma once

#include <stdexcept>
#include <string>

namespace coilsmith {

// The kinds of arithmetic and data faults a design step can run into. A step that
// faults leaves its target untouched; the caller decides whether to skip or report.
enum class FaultKind {
    DivisionByZero,
    Overflow,  // a result (or a narrowing to single precision) out of range
    NegativeSqrt,
    NonPositiveLog,
    NullValue,       // an empty catalogue field used as a number or as text
    NotANumber,      // a text that had to be read as a number and is not one
    NoCurrentRecord  // a field read from a record set that has no current record
};

class Fault : public std::runtime_error {
  public:
    explicit Fault(FaultKind kind);
    Fault(FaultKind kind, const std::string& detail);
    FaultKind kind() const noexcept { return kind_; }

  private:
    FaultKind kind_;
};

const char* faultName(FaultKind kind) noexcept;

}  // namespace coilsmith
