#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "numeric/Fault.h"
#include "numeric/NumberText.h"

namespace coilsmith {
namespace {

const NumberLocale E{".", ","};
const NumberLocale G{",", "."};

// Halfway cases round away from zero as the decimal text reads, whatever the binary value;
// nothing that rounds to zero carries a minus.
TEST(FormatFixed, ShowsThePattern) {
    // clang-format off
    const std::tuple<double, int, NumberLocale, const char*> rows[] = {
        {2.363, 3, E, "2.363"}, {0.1, 3, E, "0.100"}, {12.3, 2, G, "12,30"}, {60, 1, E, "60.0"},
        {123.456, 4, E, "123.4560"}, {1234567.891, 2, E, "1234567.89"}, {-0.75, 1, E, "-0.8"},
        {388.2, 0, E, "388"}, {2.3625, 3, E, "2.363"}, {-2.3625, 3, E, "-2.363"}, {0.5, 0, E, "1"},
        {1.5, 0, E, "2"}, {2.5, 0, E, "3"}, {-0.5, 0, E, "-1"}, {1.005, 2, E, "1.01"},
        {0.125, 2, G, "0,13"}, {0.00005, 4, E, "0.0001"}, {0.00004999, 4, E, "0.0000"},
        {9.9995, 3, E, "10.000"}, {99.95, 1, E, "100.0"}, {-0.0001, 3, E, "0.000"},
        {-0.0, 2, E, "0.00"}, {0.0, 0, E, "0"}, {-1e-20, 4, E, "0.0000"}, {1e-300, 2, E, "0.00"},
        {1e20, 0, E, "100000000000000000000"}, {-1.5e18, 1, E, "-1500000000000000000.0"},
        {std::numeric_limits<double>::denorm_min(), 4, E, "0.0000"}, {2.5, -1, E, "3"},
        {0.1, 25, E, "0.10000000000000000000"}};  // decimals held to 0 to 20
    // clang-format on
    for (const auto& [value, decimals, locale, expected] : rows)
        EXPECT_EQ(formatFixed(value, decimals, locale), expected) << value << " to " << decimals;
    EXPECT_EQ(formatFixed(1e300, 2).size(), 301u + 3u);  // every integer digit kept
    EXPECT_THROW(formatFixed(std::numeric_limits<double>::infinity(), 2), Fault);
    EXPECT_THROW(formatFixed(std::nan(""), 2), Fault);
}

TEST(FormatNumber, ShowsTheOrdinaryFormAndReadsBack) {
    // clang-format off
    const std::tuple<double, NumberLocale, const char*> rows[] = {
        {2, E, "2"}, {0.25, E, "0.25"}, {2.5, G, "2,5"}, {-1.5, E, "-1.5"}, {0, E, "0"},
        {-0.0, E, "0"}, {37, E, "37"}, {-10, E, "-10"}, {0.1 + 0.2, E, "0.3"},
        {1.0 / 3, E, "0.333333333333333"}, {1e-5, E, "0.00001"},
        {999999999999999, E, "999999999999999"}, {1e-6, E, "1E-06"}, {1.5e-7, G, "1,5E-07"},
        {-2e-9, E, "-2E-09"}, {1e15, E, "1E+15"}, {1e16, E, "1E+16"}, {1.23e300, E, "1.23E+300"},
        {9999999999999999.0, E, "1E+16"},
        {std::numeric_limits<double>::denorm_min(), E, "5E-324"}};  // shortest, not 15 digits
    // clang-format on
    for (const auto& [value, locale, expected] : rows)
        EXPECT_EQ(formatNumber(value, locale), expected);
    for (double v : {0.1, 1e-7, 123456.789, 6.53493e-05, 1.9e-13, 4000000000.0, 2490.06, 10.6149,
                     -44.3063, 1e15, 3.14159265358979, 0.000443107, 1e-300, 1.7e308}) {
        for (const NumberLocale& locale : {E, G})
            EXPECT_EQ(parseNumber(formatNumber(v, locale), locale), v) << formatNumber(v, locale);
    }
}

TEST(ParseNumber, ReadsOrRejects) {
    // clang-format off
    const std::tuple<const char*, NumberLocale, std::optional<double>> rows[] = {
        {" 25 ", E, 25}, {"1e3", E, 1000}, {"-0.5", E, -0.5}, {"1,000.5", E, 1000.5},
        {"12,345,678.25", E, 12345678.25}, {"+3", E, 3}, {".5", E, 0.5}, {"5.", E, 5},
        {"\t7\t", E, 7}, {"1E-3", E, 0.001}, {"2.5e+2", E, 250}, {"1.234,5", G, 1234.5},
        {"0,5", G, 0.5}, {"1e-999", E, 0.0}, {"1e-99999999999999999999", E, 0.0}, {"007", E, 7}};
    // clang-format on
    for (const auto& [text, locale, expected] : rows)
        EXPECT_EQ(parseNumber(text, locale), expected) << '"' << text << '"';
    for (const char* text :
         {"", " ", "abc", "1..2", "1e999", "1e99999999999999999999", "-", "1e", "e5", ".", "1,00",
          "12abc", "0x10", "inf", "nan", "1 000", "--1", ",5"})
        EXPECT_EQ(parseNumber(text, E), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(parseNumber(std::string(200, '0') + "1e-400", E), 0.0);  // leading zeros: tiny
    EXPECT_EQ(parseNumber("1234.5", G), std::nullopt);
}

}  // namespace
}  // namespace coilsmith
