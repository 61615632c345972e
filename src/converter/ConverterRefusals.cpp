#include "converter/ConverterRefusals.h"

#include <cmath>
#include <string>
#include <string_view>

#include "converter/SiNumber.h"

namespace coilsmith::converter {

namespace {

std::string volts(double value) {
    return formatSi(value, "V");
}

void requirePositive(double value, std::string_view name, std::string_view unit,
                     std::string_view hint = {}) {
    if (!std::isfinite(value))
        throw ConverterRefusal(std::string(name) + " must be a finite number");
    if (value <= 0)
        throw ConverterRefusal(std::string(name) + " must be above zero, not " +
                               formatSi(value, unit) + std::string(hint));
}

}  // namespace

void checkInputNumbers(const ConverterInput& input) {
    requirePositive(input.vinMinV, "Vin min", "V");
    requirePositive(input.vinMaxV, "Vin max", "V");
    requirePositive(input.voutV, "Vout", "V",
                    input.topology == Topology::BuckBoost
                        ? "; give the buck-boost's inverted output as a magnitude"
                        : "");
    requirePositive(input.ioutA, "Iout", "A");
    requirePositive(input.switchingFrequencyHz, "The switching frequency", "Hz");
    if (!std::isfinite(input.efficiency))
        throw ConverterRefusal("The efficiency must be a finite number");
    if (input.efficiency <= 0 || input.efficiency > 1)
        throw ConverterRefusal("The efficiency must lie above 0 and at most 1, not " +
                               formatSignificant(input.efficiency));
    if (input.inductanceH) {
        requirePositive(*input.inductanceH, "The inductance", "H");
    } else {
        requirePositive(input.rippleRatio, "The ripple ratio", "");
        if (input.rippleRatio > kLargestRippleRatio)
            throw ConverterRefusal(
                "A ripple ratio of " + formatSignificant(input.rippleRatio) +
                " lets the inductor current fall to zero in every period (discontinuous "
                "conduction); choose a ratio above 0 and at most 2 (0.2 to 0.4 is usual)");
    }
    if (input.vinMinV > input.vinMaxV)
        throw ConverterRefusal("The input range runs backwards: Vin min " + volts(input.vinMinV) +
                               " is above Vin max " + volts(input.vinMaxV) +
                               "; give the lower voltage first");
}

void checkConverterKind(const ConverterInput& input, const OperatingPoint& atVinMin,
                        const OperatingPoint& atVinMax) {
    const std::string vout = volts(input.voutV);
    if (input.topology == Topology::Buck && input.voutV >= input.vinMinV)
        throw ConverterRefusal("A buck needs Vout below Vin: " + vout +
                               " is not below the lowest input " + volts(input.vinMinV) +
                               "; use a boost or buck-boost, or raise Vin min above " + vout);
    if (input.topology == Topology::Boost && input.voutV <= input.vinMaxV)
        throw ConverterRefusal("A boost needs Vout above Vin: " + vout +
                               " is not above the highest input " + volts(input.vinMaxV) +
                               "; use a buck or buck-boost, or lower Vin max below " + vout);
    if (atVinMin.dutyCycle > kLargestDutyCycle)
        throw ConverterRefusal(
            "The duty cycle would be " + formatSignificant(atVinMin.dutyCycle, 3) + " at Vin min " +
            volts(atVinMin.vinV) + ", above the " + formatSignificant(kLargestDutyCycle) +
            " a converter in continuous conduction can hold; raise Vin min "
            "or lower Vout");
    if (atVinMax.dutyCycle < kSmallestDutyCycle)
        throw ConverterRefusal(
            "The duty cycle would be " + formatSignificant(atVinMax.dutyCycle, 3) + " at Vin max " +
            volts(atVinMax.vinV) + ", below the " + formatSignificant(kSmallestDutyCycle) +
            " a switch can make; lower Vin max or raise Vout");
}

void checkContinuousConduction(const OperatingPoint& largestRippleRatio, double inductanceH) {
    const double ratio = largestRippleRatio.rippleRatio();
    if (ratio <= kLargestRippleRatio)
        return;
    throw ConverterRefusal(
        "At this load the inductor current falls to zero in every period (discontinuous "
        "conduction): at Vin " +
        volts(largestRippleRatio.vinV) + " the ripple " +
        formatSi(largestRippleRatio.ripplePeakToPeakA, "A") +
        " p-p is more than twice the inductor's DC current " +
        formatSi(largestRippleRatio.inductorDcA, "A") + "; use at least " +
        formatSi(inductanceH * ratio / kLargestRippleRatio, "H") +
        ", or give a ripple ratio instead of the inductance");
}

void checkFiguresInRange(const ConverterSpecification& specification) {
    const auto usable = [](double value) { return std::isfinite(value) && value > 0; };
    const ChokeSpecification& choke = specification.choke;
    bool inRange =
        usable(choke.inductanceH) && usable(choke.dcCurrentA) && usable(choke.ripplePeakToPeakA);
    for (const OperatingPoint& point :
         {specification.largestRipple, specification.largestDcCurrent,
          specification.largestRippleRatio, specification.atVinMin, specification.atVinMax})
        inRange = inRange && usable(point.inductorDcA) && usable(point.ripplePeakToPeakA);
    if (!inRange)
        throw ConverterRefusal(
            "The inputs give an inductance or current out of range; check their units");
}

}  // namespace coilsmith::converter
