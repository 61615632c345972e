#include "converter/ConverterSpecification.h"

#include <algorithm>
#include <vector>

#include "converter/ConverterRefusals.h"

namespace coilsmith::converter {

namespace {

OperatingPoint operatingPoint(const ConverterInput& input, double vinV, double inductanceH) {
    const double duty = dutyCycle(input.topology, vinV, input.voutV, input.efficiency);
    const double onVoltage = onStateVoltageV(input.topology, vinV, input.voutV);
    return {vinV, duty, inductorDcCurrentA(input.topology, duty, input.ioutA),
            ripplePeakToPeakA(onVoltage, duty, inductanceH, input.switchingFrequencyHz)};
}

// The ends first (so that a tie, as the buck's constant Idc, names Vin min), then the
// topology's interior tops that lie inside the range.
std::vector<OperatingPoint> candidatePoints(const ConverterInput& input, double inductanceH) {
    std::vector<OperatingPoint> points{operatingPoint(input, input.vinMinV, inductanceH),
                                       operatingPoint(input, input.vinMaxV, inductanceH)};
    for (double vin : interiorPeakInputsV(input.topology, input.voutV, input.efficiency)) {
        if (vin > input.vinMinV && vin < input.vinMaxV)
            points.push_back(operatingPoint(input, vin, inductanceH));
    }
    return points;
}

template <typename Figure>
OperatingPoint largestBy(const std::vector<OperatingPoint>& points, Figure figure) {
    return *std::max_element(
        points.begin(), points.end(),
        [&](const OperatingPoint& a, const OperatingPoint& b) { return figure(a) < figure(b); });
}

double rippleRatioOf(const OperatingPoint& point) {
    return point.rippleRatio();
}

}  // namespace

ConverterSpecification specifyFromConverter(const ConverterInput& input) {
    checkInputNumbers(input);
    constexpr double kOneHenry = 1.0;
    const std::vector<OperatingPoint> perHenry = candidatePoints(input, kOneHenry);
    checkConverterKind(input, perHenry[0], perHenry[1]);

    // ΔI scales as 1/L, so the L that meets the ratio r everywhere is the largest ΔI/Idc
    // at 1 H divided by r.
    const double inductanceH =
        input.inductanceH ? *input.inductanceH
                          : rippleRatioOf(largestBy(perHenry, rippleRatioOf)) / input.rippleRatio;
    const std::vector<OperatingPoint> points = candidatePoints(input, inductanceH);

    ConverterSpecification result;
    result.largestRipple =
        largestBy(points, [](const OperatingPoint& p) { return p.ripplePeakToPeakA; });
    result.largestDcCurrent =
        largestBy(points, [](const OperatingPoint& p) { return p.inductorDcA; });
    result.largestRippleRatio = largestBy(points, rippleRatioOf);
    result.atVinMin = points[0];
    result.atVinMax = points[1];
    result.inductanceFromRippleRatio = !input.inductanceH.has_value();
    result.choke = {inductanceH, result.largestDcCurrent.inductorDcA,
                    result.largestRipple.ripplePeakToPeakA, input.switchingFrequencyHz};
    checkFiguresInRange(result);
    if (input.inductanceH)
        checkContinuousConduction(result.largestRippleRatio, inductanceH);
    return result;
}

}  // namespace coilsmith::converter
