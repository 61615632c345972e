#include "physics/Verdicts.h"

#include <algorithm>

#include "physics/Constants.h"
#include "physics/FixedText.h"

namespace coilsmith::physics {

namespace {

Verdict inductanceVerdict(const char* check, const char* at, double henry, double percent,
                          double passPercent, double warnPercent) {
    const std::string figure = std::string("L(") + at +
                               ") = " + fixedText(henry * kMicrohenriesPerHenry, 2) + " µH, " +
                               fixedText(percent, 1) + " % of the required L";
    if (percent >= passPercent)
        return {check, VerdictLevel::Pass, figure};
    if (percent >= warnPercent)
        return {check, VerdictLevel::Warning,
                figure + ", below " + fixedText(passPercent, 0) + " %"};
    return {check, VerdictLevel::Fail, figure + ", below " + fixedText(warnPercent, 0) + " %"};
}

}  // namespace

Verdict inductanceAtIdcVerdict(double inductanceH, double percentOfRequired) {
    return inductanceVerdict(kInductanceAtIdcCheck, "Idc", inductanceH, percentOfRequired,
                             kInductanceAtIdcPassPercent, kInductanceAtIdcWarnPercent);
}

Verdict inductanceAtIpkVerdict(double inductanceH, double percentOfRequired) {
    return inductanceVerdict(kInductanceAtIpkCheck, "Ipk", inductanceH, percentOfRequired,
                             kInductanceAtIpkPassPercent, kInductanceAtIpkWarnPercent);
}

Verdict windingFitsVerdict(long turns, const WindingLayout& layout) {
    if (!layout.fits)
        return {kWindingFitsCheck, VerdictLevel::Fail, layout.doesNotFitReason};
    return {kWindingFitsCheck, VerdictLevel::Pass,
            std::to_string(turns) + " turns in " + std::to_string(layout.layers) +
                (layout.layers == 1 ? " layer" : " layers")};
}

Verdict fillVerdict(double fill, double windowUtilisation) {
    const std::string figure = "fill " + fixedText(fill, 3);
    const std::string ku = " Ku " + fixedText(windowUtilisation, 2);
    if (fill <= windowUtilisation)
        return {kFillCheck, VerdictLevel::Pass, figure + " within" + ku};
    return {kFillCheck, VerdictLevel::Warning, figure + " above" + ku};
}

Verdict hotTemperatureVerdict(const HotPoint& hot, double limitC) {
    const std::string limit = fixedText(limitC, 0) + " °C limit";
    if (hot.runaway)
        return {kHotTemperatureCheck, VerdictLevel::Fail, "thermal runaway"};
    const std::string figure = fixedText(hot.temperatureC, 1) + " °C, ";
    if (hot.temperatureC > limitC)
        return {kHotTemperatureCheck, VerdictLevel::Fail, figure + "above the " + limit};
    return {kHotTemperatureCheck, VerdictLevel::Pass, figure + "within the " + limit};
}

Verdict unavailableVerdict(const char* check, std::string reason) {
    return {check, VerdictLevel::Unavailable, std::move(reason)};
}

bool verdictsPass(const std::vector<Verdict>& verdicts) noexcept {
    return std::none_of(verdicts.begin(), verdicts.end(), [](const Verdict& v) {
        return v.level == VerdictLevel::Fail || v.level == VerdictLevel::Unavailable;
    });
}

const char* verdictLevelName(VerdictLevel level) noexcept {
    switch (level) {
        case VerdictLevel::Pass:
            return "pass";
        case VerdictLevel::Warning:
            return "warning";
        case VerdictLevel::Fail:
            return "fail";
        case VerdictLevel::Unavailable:
            return "unavailable";
    }
    return "unavailable";
}

}  // namespace coilsmith::physics
