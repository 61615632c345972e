#pragma once

#include "converter/ConverterSpecification.h"

// The reasons to refuse a converter, each with what would work. Every check throws
// ConverterRefusal; they run in the order they are declared.
namespace coilsmith::converter {

// Every number finite and positive, η in (0, 1], a ripple ratio that keeps conduction
// continuous, and the input range the right way round.
void checkInputNumbers(const ConverterInput& input);

// The output against the input range for the topology, and the duty cycle at both ends
// (it falls as Vin rises in all three topologies).
void checkConverterKind(const ConverterInput& input, const OperatingPoint& atVinMin,
                        const OperatingPoint& atVinMax);

// With a given L: ΔI/2 ≤ Idc at the input where ΔI/Idc peaks.
void checkContinuousConduction(const OperatingPoint& largestRippleRatio, double inductanceH);

// No figure overflowed or vanished (inputs in wildly wrong units).
void checkFiguresInRange(const ConverterSpecification& specification);

}  // namespace coilsmith::converter
