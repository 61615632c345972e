#include "numeric/Fault.h"

namespace coilsmith {

Fault::Fault(FaultKind kind) : std::runtime_error(faultName(kind)), kind_(kind) {}

Fault::Fault(FaultKind kind, const std::string& detail)
    : std::runtime_error(std::string(faultName(kind)) + ": " + detail), kind_(kind) {}

const char* faultName(FaultKind kind) noexcept {
    switch (kind) {
        case FaultKind::DivisionByZero:
            return "Division by zero";
        case FaultKind::Overflow:
            return "Overflow";
        case FaultKind::NegativeSqrt:
            return "Square root of a negative number";
        case FaultKind::NonPositiveLog:
            return "Logarithm of a number that is not positive";
        case FaultKind::NullValue:
            return "Invalid use of Null";
        case FaultKind::NotANumber:
            return "Type mismatch";
        case FaultKind::NoCurrentRecord:
            return "No current record";
    }
    return "Unknown fault";
}

}  // namespace coilsmith
