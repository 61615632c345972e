#include "physics/Verdicts.h"

#include <gtest/gtest.h>

#include <limits>

#include "physics/FixedText.h"

namespace coilsmith::physics {
namespace {

using enum VerdictLevel;

TEST(Verdicts, LevelsAndReasons) {
    const struct {
        Verdict verdict;
        VerdictLevel level;
        const char* reason;
    } rows[] = {
        {inductanceAtIdcVerdict(100e-6, 100), Pass,
         "L(Idc) = 100.00 µH, 100.0 % of the required L"},
        {inductanceAtIdcVerdict(99.9e-6, 99.9), Warning,
         "L(Idc) = 99.90 µH, 99.9 % of the required L, below 100 %"},
        {inductanceAtIdcVerdict(90e-6, 90), Warning,
         "L(Idc) = 90.00 µH, 90.0 % of the required L, below 100 %"},
        {inductanceAtIdcVerdict(89.9e-6, 89.9), Fail,
         "L(Idc) = 89.90 µH, 89.9 % of the required L, below 90 %"},
        {inductanceAtIpkVerdict(90e-6, 90), Pass, "L(Ipk) = 90.00 µH, 90.0 % of the required L"},
        {inductanceAtIpkVerdict(70e-6, 70), Warning,
         "L(Ipk) = 70.00 µH, 70.0 % of the required L, below 90 %"},
        {inductanceAtIpkVerdict(69.9e-6, 69.9), Fail,
         "L(Ipk) = 69.90 µH, 69.9 % of the required L, below 70 %"},
        {windingFitsVerdict(41, {{21, 20}, 2, true, {}}), Pass, "41 turns in 2 layers"},
        {windingFitsVerdict(9, {{}, 0, false, "no room"}), Fail, "no room"},
        {fillVerdict(0.4, 0.4), Pass, "fill 0.400 within Ku 0.40"},
        {fillVerdict(0.4001, 0.4), Warning, "fill 0.400 above Ku 0.40"},
        {hotTemperatureVerdict({125, 100, 1, 3, false}, 125), Pass,
         "125.0 °C, within the 125 °C limit"},
        {hotTemperatureVerdict({125.01, 100, 1, 3, false}, 125), Fail,
         "125.0 °C, above the 125 °C limit"},
        {hotTemperatureVerdict({60, 35, 1, 100, true}, 125), Fail, "thermal runaway"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.verdict.level, row.level) << row.reason;
        EXPECT_EQ(row.verdict.reason, row.reason);
    }
    EXPECT_TRUE(verdictsPass({fillVerdict(0.5, 0.4), {"L at Idc", Pass, ""}}));
    EXPECT_FALSE(verdictsPass({{"L at Idc", Pass, ""}, unavailableVerdict("Fill", "no wire")}));
    EXPECT_FALSE(verdictsPass({{"L at Idc", Fail, ""}}));
}

TEST(FixedText, RoundsTheReadableDecimalHalfUp) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } rows[] = {
        {2.3625, 3, "2.363"},  // stored a hair below 2.3625
        {9.995, 2, "10.00"},
        {-0.0001, 2, "0.00"},
        {-1.25, 1, "-1.3"},
        {0.0456, 3, "0.046"},
        {1e6, 0, "1000000"},
        {0.1 + 0.2, 17, "0.30000000000000000"},  // 0.30000000000000004 read to 15 digits
    };
    for (const auto& row : rows)
        EXPECT_EQ(fixedText(row.value, row.decimals), row.text) << row.value;
    EXPECT_EQ(fixedText(std::numeric_limits<double>::infinity(), 1), "not a number");
}

}  // namespace
}  // namespace coilsmith::physics
