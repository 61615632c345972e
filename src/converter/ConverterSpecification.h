#pragma once

#include <optional>
#include <stdexcept>

#include "converter/Topology.h"

// A choke specification (L, DC current, ripple, frequency) from the converter it serves:
// a buck, boost or inverting buck-boost in continuous conduction over an input range. The
// forms and where over the range each one peaks are in Topology.h.
namespace coilsmith::converter {

inline constexpr double kDefaultRippleRatio = 0.3;
inline constexpr double kDefaultEfficiency = 1.0;
// The duty cycles a converter in continuous conduction can hold: below the smallest the
// on-time shrinks to the switch's transition times, above the largest the off-time does.
inline constexpr double kSmallestDutyCycle = 0.02;
inline constexpr double kLargestDutyCycle = 0.95;
// ΔI/Idc above 2 lets the current fall to zero within a period.
inline constexpr double kLargestRippleRatio = 2.0;

struct ConverterInput {
    Topology topology = Topology::Buck;
    double vinMinV = 0;
    double vinMaxV = 0;
    double voutV = 0;  // a magnitude, also for the inverting buck-boost
    double ioutA = 0;
    double switchingFrequencyHz = 0;
    double efficiency = kDefaultEfficiency;
    // The inductance, when the user gives it; otherwise L follows from the ripple ratio.
    std::optional<double> inductanceH;
    double rippleRatio = kDefaultRippleRatio;  // ΔI/Idc, used only without an inductance
};

// The converter at one input voltage.
struct OperatingPoint {
    double vinV = 0;
    double dutyCycle = 0;
    double inductorDcA = 0;
    double ripplePeakToPeakA = 0;

    double rippleRatio() const { return ripplePeakToPeakA / inductorDcA; }
};

// What the choke must meet, as the design window takes it.
struct ChokeSpecification {
    double inductanceH = 0;
    double dcCurrentA = 0;         // the largest over the range
    double ripplePeakToPeakA = 0;  // the largest over the range
    double frequencyHz = 0;
};

struct ConverterSpecification {
    ChokeSpecification choke;
    OperatingPoint largestRipple;     // sets the ripple and the core loss
    OperatingPoint largestDcCurrent;  // sets the DC current
    // Where ΔI/Idc peaks: with a ripple ratio, the input at which L had to be largest (the
    // ratio is met there and undercut elsewhere); with a given L, the input nearest to
    // discontinuous conduction.
    OperatingPoint largestRippleRatio;
    OperatingPoint atVinMin;
    OperatingPoint atVinMax;
    bool inductanceFromRippleRatio = false;
};

// A converter this library does not model (not a continuous-conduction converter of the
// chosen topology, or inputs that are not positive finite numbers); the message says why
// and what would work.
class ConverterRefusal : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// The worst-case specification over the input range; throws ConverterRefusal.
ConverterSpecification specifyFromConverter(const ConverterInput& input);

}  // namespace coilsmith::converter
