#include "method/MethodLimits.h"

#include <cmath>

#include "numeric/NumberText.h"

namespace coilsmith {

std::optional<AreaProductStanding> areaProductStanding(std::optional<double> minimumCm4,
                                                       std::optional<double> coreCm4) noexcept {
    if (!minimumCm4 || !coreCm4 || !std::isfinite(*minimumCm4) || !std::isfinite(*coreCm4))
        return std::nullopt;
    if (*coreCm4 < *minimumCm4)
        return AreaProductStanding::BelowMinimum;
    if (*coreCm4 > *minimumCm4)
        return AreaProductStanding::AboveMinimum;
    return AreaProductStanding::AtMinimum;
}

bool fluxDensityAboveSpecified(double peakT, double specifiedT) noexcept {
    return peakT > specifiedT;
}

bool temperatureRiseAboveLimit(double riseC) noexcept {
    return riseC > kTemperatureRiseLimitC;
}

std::vector<std::string> exceededMethodLimits(const MethodLimitFigures& f) {
    std::vector<std::string> exceeded;
    if (areaProductStanding(f.minimumAreaProductCm4, f.coreAreaProductCm4) ==
        AreaProductStanding::BelowMinimum)
        exceeded.emplace_back("core AP below the minimum AP");
    if (f.peakFluxDensityT && f.specifiedFluxDensityT &&
        fluxDensityAboveSpecified(*f.peakFluxDensityT, *f.specifiedFluxDensityT))
        exceeded.emplace_back("Bmax above the specified flux density");
    if (f.temperatureRiseC && temperatureRiseAboveLimit(*f.temperatureRiseC))
        exceeded.push_back("temperature rise above " + formatFixed(kTemperatureRiseLimitC, 0) +
                           " deg. C");
    return exceeded;
}

std::string methodLimitWarning(const std::vector<std::string>& exceeded) {
    if (exceeded.empty())
        return {};
    std::string line = "Warning: ";
    for (std::size_t i = 0; i < exceeded.size(); ++i)
        line += (i ? "; " : "") + exceeded[i];
    return line + ".";
}

}  // namespace coilsmith
