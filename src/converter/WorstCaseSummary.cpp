#include "converter/WorstCaseSummary.h"

#include "converter/SiNumber.h"

namespace coilsmith::converter {

namespace {

constexpr int kDutyDigits = 3;

std::string duty(double dutyCycle) {
    return formatSignificant(dutyCycle, kDutyDigits);
}

std::string at(const OperatingPoint& point) {
    return "Vin " + formatSi(point.vinV, "V") + " (D = " + duty(point.dutyCycle) + ")";
}

}  // namespace

std::vector<SummaryRow> worstCaseSummary(const ConverterInput& input,
                                         const ConverterSpecification& specification) {
    const ConverterSpecification& s = specification;
    std::vector<SummaryRow> rows;
    rows.push_back(
        {"D", duty(s.atVinMin.dutyCycle) + " to " + duty(s.atVinMax.dutyCycle),
         "from Vin " + formatSi(s.atVinMin.vinV, "V") + " to " + formatSi(s.atVinMax.vinV, "V")});
    rows.push_back({"L", formatSi(s.choke.inductanceH, "H"),
                    s.inductanceFromRippleRatio
                        ? "for the ripple ratio " + formatSignificant(input.rippleRatio) + " at " +
                              at(s.largestRippleRatio)
                        : std::string("as given")});
    rows.push_back(
        {"Idc", formatSi(s.choke.dcCurrentA, "A"), "largest at " + at(s.largestDcCurrent)});
    rows.push_back({"\u0394I", formatSi(s.choke.ripplePeakToPeakA, "A") + " p-p",
                    "largest at " + at(s.largestRipple)});
    rows.push_back({"\u0394I/Idc",
                    formatSignificant(s.largestRippleRatio.rippleRatio(), kDutyDigits),
                    "largest at " + at(s.largestRippleRatio)});
    return rows;
}

std::string converterLine(const ConverterInput& input) {
    const std::string vin = input.vinMinV == input.vinMaxV ? formatSi(input.vinMinV, "V")
                                                           : formatSi(input.vinMinV, "V") + " to " +
                                                                 formatSi(input.vinMaxV, "V");
    return std::string(topologyName(input.topology)) + " " + vin + " -> " +
           (input.topology == Topology::BuckBoost ? "-" : "") + formatSi(input.voutV, "V") + ", " +
           formatSi(input.ioutA, "A") + " at " + formatSi(input.switchingFrequencyHz, "Hz") +
           ", efficiency " + formatSignificant(input.efficiency);
}

}  // namespace coilsmith::converter
