#include "converter/Topology.h"

namespace coilsmith::converter {

std::string_view topologyName(Topology topology) {
    switch (topology) {
        case Topology::Buck:
            return "buck";
        case Topology::Boost:
            return "boost";
        case Topology::BuckBoost:
            return "buck-boost";
    }
    return "";
}

double dutyCycle(Topology topology, double vinV, double voutV, double efficiency) {
    switch (topology) {
        case Topology::Buck:
            return voutV / (efficiency * vinV);
        case Topology::Boost:
            return 1 - efficiency * vinV / voutV;
        case Topology::BuckBoost:
            return voutV / (voutV + efficiency * vinV);
    }
    return 0;
}

double inductorDcCurrentA(Topology topology, double dutyCycle, double ioutA) {
    return topology == Topology::Buck ? ioutA : ioutA / (1 - dutyCycle);
}

double onStateVoltageV(Topology topology, double vinV, double voutV) {
    return topology == Topology::Buck ? vinV - voutV : vinV;
}

double ripplePeakToPeakA(double onStateVoltageV, double dutyCycle, double inductanceH,
                         double switchingFrequencyHz) {
    return onStateVoltageV * dutyCycle / (inductanceH * switchingFrequencyHz);
}

std::vector<double> interiorPeakInputsV(Topology topology, double voutV, double efficiency) {
    if (topology != Topology::Boost)
        return {};
    const double largestRipple = voutV / (2 * efficiency);
    const double largestRippleRatio = 2 * voutV / (3 * efficiency);
    return {largestRipple, largestRippleRatio};
}

}  // namespace coilsmith::converter
