#pragma once

#include <string>
#include <vector>

#include "physics/Thermal.h"
#include "physics/Winding.h"

namespace coilsmith::physics {

// The five verdicts on a wound choke: whether it has its inductance at Idc and at Ipk,
// whether the winding goes on, how full the window is, and how hot it settles.

enum class VerdictLevel { Pass, Warning, Fail, Unavailable };

struct Verdict {
    std::string check;  // one of the names below
    VerdictLevel level = VerdictLevel::Unavailable;
    std::string reason;
};

inline constexpr const char* kInductanceAtIdcCheck = "L at Idc";
inline constexpr const char* kInductanceAtIpkCheck = "L at Ipk";
inline constexpr const char* kWindingFitsCheck = "Winding fits";
inline constexpr const char* kFillCheck = "Fill";
inline constexpr const char* kHotTemperatureCheck = "Hot temperature";

// Thresholds in percent of the required inductance: at or above "pass" passes, at or above
// "warn" warns, below fails.
inline constexpr double kInductanceAtIdcPassPercent = 100;
inline constexpr double kInductanceAtIdcWarnPercent = 90;
inline constexpr double kInductanceAtIpkPassPercent = 90;
inline constexpr double kInductanceAtIpkWarnPercent = 70;
// The highest temperature iron powder is rated for (its binder ages above it).
inline constexpr double kIronPowderTemperatureLimitC = 125;

Verdict inductanceAtIdcVerdict(double inductanceH, double percentOfRequired);
Verdict inductanceAtIpkVerdict(double inductanceH, double percentOfRequired);
// Passes when the winding fits, fails with the reason when not.
Verdict windingFitsVerdict(long turns, const WindingLayout& layout);
// Passes within Ku; above it warns (the winding still goes on, tighter than planned).
Verdict fillVerdict(double fill, double windowUtilisation);
// Fails on runaway or above the limit.
Verdict hotTemperatureVerdict(const HotPoint& hot, double limitC);
Verdict unavailableVerdict(const char* check, std::string reason);

// No verdict fails and none is unavailable (warnings pass).
bool verdictsPass(const std::vector<Verdict>& verdicts) noexcept;

const char* verdictLevelName(VerdictLevel level) noexcept;

}  // namespace coilsmith::physics
