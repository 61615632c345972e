#pragma once

#include <optional>
#include <string>
#include <vector>

namespace coilsmith {

// The design method completes a design on whatever core it is given. Its sizing assumes
// a core whose area product reaches the minimum that "Calculate AP" worked out and a
// peak flux density within the specified maximum, and its surface law for the
// temperature rise describes rises of tens of degrees. A design beyond these limits keeps
// the method's numbers but is flagged: as the limits are the method's own, not physical
// failures, that is a warning.
inline constexpr double kTemperatureRiseLimitC = 100;

// How the core's area product stands to the minimum the specification needs.
enum class AreaProductStanding { AboveMinimum, AtMinimum, BelowMinimum };

// Empty when either area product is not known.
std::optional<AreaProductStanding> areaProductStanding(std::optional<double> minimumCm4,
                                                       std::optional<double> coreCm4) noexcept;
bool fluxDensityAboveSpecified(double peakT, double specifiedT) noexcept;
bool temperatureRiseAboveLimit(double riseC) noexcept;

// What a design shows of the limits; a figure that is not known exceeds nothing.
struct MethodLimitFigures {
    std::optional<double> minimumAreaProductCm4;
    std::optional<double> coreAreaProductCm4;
    std::optional<double> peakFluxDensityT;       // Bmax
    std::optional<double> specifiedFluxDensityT;  // the specification's maximum
    std::optional<double> temperatureRiseC;
};

// The limits exceeded, in words and in this order: "core AP below the minimum AP",
// "Bmax above the specified flux density", "temperature rise above 100 deg. C".
std::vector<std::string> exceededMethodLimits(const MethodLimitFigures& figures);

// One line for the results page: "Warning: " and the limits joined by "; ", with a full
// stop; empty when none is exceeded.
std::string methodLimitWarning(const std::vector<std::string>& exceeded);

}  // namespace coilsmith
