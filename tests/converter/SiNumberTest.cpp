#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <utility>

#include "converter/SiNumber.h"

namespace coilsmith::converter {
namespace {

// A prefixed text reads exactly as the same number written with an exponent.
TEST(ParseSiNumber, ReadsPrefixesAndPlainNumbers) {
    // clang-format off
    const std::pair<const char*, double> rows[] = {
        {"100u", 100e-6}, {"100\u00b5", 100e-6}, {"100\u03bc", 100e-6}, {"4.7m", 4.7e-3},
        {"100k", 100e3}, {"2M", 2e6}, {"10n", 10e-9}, {"0.3", 0.3}, {"1e-4", 1e-4},
        {"1E3", 1000}, {"1.5e3k", 1.5e6}, {"2.2e+2u", 2.2e-4}, {" 12 ", 12}, {"-5m", -5e-3},
        {"+2", 2}, {".5k", 500}, {"5.", 5}, {"0", 0}};
    // clang-format on
    for (const auto& [text, value] : rows)
        EXPECT_EQ(parseSiNumber(text), value) << text;
}

TEST(ParseSiNumber, NamesTheTextItRefuses) {
    const std::string prefixes = " is not one of the prefixes n, u, \u00b5, m, k, M";
    // clang-format off
    const std::pair<const char*, std::string> rows[] = {
        {"", "\"\" is not a number: the text is empty"},
        {"  ", "\"  \" is not a number: the text is empty"},
        {"abc", "\"abc\" is not a number"}, {"inf", "\"inf\" is not a number"},
        {"nan", "\"nan\" is not a number"}, {"-inf", "\"-inf\" is not a number"},
        {"--5", "\"--5\" is not a number"}, {"m", "\"m\" is not a number"},
        {"100x", "\"100x\" is not a number: \"x\"" + prefixes},
        {"100 u", "\"100 u\" is not a number: \" u\"" + prefixes},
        {"1mm", "\"1mm\" is not a number: \"mm\"" + prefixes},
        {"1,5", "\"1,5\" is not a number: \",5\"" + prefixes},
        {"5e", "\"5e\" is not a number: \"e\"" + prefixes},
        {"1e999", "\"1e999\" is out of range"}, {"1e305M", "\"1e305M\" is out of range"}};
    // clang-format on
    for (const auto& [text, message] : rows) {
        try {
            parseSiNumber(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const SiTextError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

TEST(ParseSiRange, ReadsLowAndHigh) {
    const std::pair<const char*, SiRange> rows[] = {
        {"18:36", {18, 36}}, {"100m:2", {0.1, 2}}, {"24", {24, 24}}, {"9:13.5", {9, 13.5}}};
    for (const auto& [text, range] : rows) {
        const SiRange read = parseSiRange(text);
        EXPECT_EQ(read.low, range.low) << text;
        EXPECT_EQ(read.high, range.high) << text;
    }
    const std::pair<const char*, std::string> refused[] = {
        {"18:", "\"18:\" is not a range LOW:HIGH: the number after the colon is missing"},
        {":36", "\":36\" is not a range LOW:HIGH: the number before the colon is missing"},
        {"18:x", "\"18:x\" is not a range LOW:HIGH: \"x\" is not a number"},
        {"1:2:3",
         "\"1:2:3\" is not a range LOW:HIGH: \"2:3\" is not a number: \":3\" is not "
         "one of the prefixes n, u, \u00b5, m, k, M"}};
    for (const auto& [text, message] : refused) {
        try {
            parseSiRange(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const SiTextError& e) {
            EXPECT_EQ(e.what(), message);
        }
    }
}

TEST(FormatSi, ChoosesThePrefixAndRoundsInDecimal) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::tuple<double, const char*, const char*> rows[] = {
        {12, "V", "12 V"}, {53.3333e-6, "H", "53.33 \u00b5H"}, {0.892, "A", "892 mA"},
        {1e5, "Hz", "100 kHz"}, {0, "A", "0 A"}, {999.96, "V", "1 kV"}, {-5, "V", "-5 V"},
        {1e-6, "H", "1 \u00b5H"}, {0.0171, "A", "17.1 mA"}, {1e-15, "H", "1e-15 H"},
        {inf, "H", "out of range"}, {1500, "", "1.5 k"}, {2.5, "", "2.5"}};
    // clang-format on
    for (const auto& [value, unit, text] : rows)
        EXPECT_EQ(formatSi(value, unit), text) << value;
    EXPECT_EQ(formatSi(177.777e-6, "H", 3), "178 \u00b5H");
    EXPECT_EQ(formatSi(0.0171, "A", 1), "20 mA");
    EXPECT_EQ(formatSi(1e100, "H"), "1e+100 H");  // a three-digit exponent
    EXPECT_EQ(formatSignificant(std::nan("")), "out of range");
}

}  // namespace
}  // namespace coilsmith::converter
