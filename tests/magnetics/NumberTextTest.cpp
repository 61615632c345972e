#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "magnetics/Fault.h"
#include "magnetics/NumberText.h"

namespace coilsmith {
namespace {

const NumberLocale kEnglish{".", ","};
const NumberLocale kGerman{",", "."};

struct FixedRow {
    double value;
    int decimals;
    NumberLocale locale;
    const char* expected;
};

class FormatFixedTest : public testing::TestWithParam<FixedRow> {};

TEST_P(FormatFixedTest, ShowsThePattern) {
    const FixedRow& row = GetParam();
    EXPECT_EQ(formatFixed(row.value, row.decimals, row.locale), row.expected)
        << "value " << row.value << " decimals " << row.decimals;
}

INSTANTIATE_TEST_SUITE_P(
    Ordinary, FormatFixedTest,
    testing::Values(FixedRow{2.363, 3, kEnglish, "2.363"}, FixedRow{0.1, 3, kEnglish, "0.100"},
                    FixedRow{12.3, 2, kGerman, "12,30"}, FixedRow{60, 1, kEnglish, "60.0"},
                    FixedRow{123.456, 4, kEnglish, "123.4560"},
                    FixedRow{1234567.891, 2, kEnglish, "1234567.89"},
                    FixedRow{-0.75, 1, kEnglish, "-0.8"}, FixedRow{388.2, 0, kEnglish, "388"}));

// Halfway cases round away from zero as the decimal text reads, whatever the binary value.
INSTANTIATE_TEST_SUITE_P(
    Halfway, FormatFixedTest,
    testing::Values(FixedRow{2.3625, 3, kEnglish, "2.363"},
                    FixedRow{-2.3625, 3, kEnglish, "-2.363"}, FixedRow{0.5, 0, kEnglish, "1"},
                    FixedRow{1.5, 0, kEnglish, "2"}, FixedRow{2.5, 0, kEnglish, "3"},
                    FixedRow{-0.5, 0, kEnglish, "-1"}, FixedRow{1.005, 2, kEnglish, "1.01"},
                    FixedRow{0.125, 2, kGerman, "0,13"}, FixedRow{0.00005, 4, kEnglish, "0.0001"},
                    FixedRow{0.00004999, 4, kEnglish, "0.0000"},
                    FixedRow{9.9995, 3, kEnglish, "10.000"},
                    FixedRow{99.95, 1, kEnglish, "100.0"}));

// Nothing that rounds to zero carries a minus.
INSTANTIATE_TEST_SUITE_P(
    ZeroAndExtremes, FormatFixedTest,
    testing::Values(FixedRow{-0.0001, 3, kEnglish, "0.000"}, FixedRow{-0.0, 2, kEnglish, "0.00"},
                    FixedRow{0.0, 0, kEnglish, "0"}, FixedRow{-1e-20, 4, kEnglish, "0.0000"},
                    FixedRow{1e-300, 2, kEnglish, "0.00"},
                    FixedRow{1e20, 0, kEnglish, "100000000000000000000"},
                    FixedRow{-1.5e18, 1, kEnglish, "-1500000000000000000.0"},
                    FixedRow{std::numeric_limits<double>::denorm_min(), 4, kEnglish, "0.0000"}));

TEST(FormatFixed, HugeValuesKeepEveryIntegerDigit) {
    const std::string text = formatFixed(1e300, 2);
    EXPECT_EQ(text.size(), 301u + 3u);
    EXPECT_EQ(text.substr(0, 2), "10");
    EXPECT_EQ(text.substr(text.size() - 3), ".00");
}

TEST(FormatFixed, NonFiniteValuesFault) {
    EXPECT_THROW(formatFixed(std::numeric_limits<double>::infinity(), 2), Fault);
    EXPECT_THROW(formatFixed(std::nan(""), 2), Fault);
}

struct NumberRow {
    double value;
    NumberLocale locale;
    const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<NumberRow> {};

TEST_P(FormatNumberTest, ShowsTheOrdinaryForm) {
    const NumberRow& row = GetParam();
    EXPECT_EQ(formatNumber(row.value, row.locale), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Plain, FormatNumberTest,
    testing::Values(NumberRow{2, kEnglish, "2"}, NumberRow{0.25, kEnglish, "0.25"},
                    NumberRow{2.5, kGerman, "2,5"}, NumberRow{-1.5, kEnglish, "-1.5"},
                    NumberRow{0, kEnglish, "0"}, NumberRow{-0.0, kEnglish, "0"},
                    NumberRow{37, kEnglish, "37"}, NumberRow{-10, kEnglish, "-10"},
                    NumberRow{0.1 + 0.2, kEnglish, "0.3"},
                    NumberRow{1.0 / 3, kEnglish, "0.333333333333333"},
                    NumberRow{1e-5, kEnglish, "0.00001"},
                    NumberRow{999999999999999, kEnglish, "999999999999999"}));

INSTANTIATE_TEST_SUITE_P(
    Exponent, FormatNumberTest,
    testing::Values(NumberRow{1e-6, kEnglish, "1E-06"}, NumberRow{1.5e-7, kGerman, "1,5E-07"},
                    NumberRow{-2e-9, kEnglish, "-2E-09"}, NumberRow{1e15, kEnglish, "1E+15"},
                    NumberRow{1e16, kEnglish, "1E+16"}, NumberRow{1.23e300, kEnglish, "1.23E+300"},
                    NumberRow{9999999999999999.0, kEnglish, "1E+16"}));

TEST(FormatNumber, ReadsBackToTheSameValue) {
    for (double v : {0.1, 1e-7, 123456.789, 6.53493e-05, 1.9e-13, 4000000000.0, 2490.06, 10.6149,
                     -44.3063, 1e15, 3.14159265358979, 0.000443107, 1e-300, 1.7e308}) {
        for (const NumberLocale& locale : {kEnglish, kGerman}) {
            const auto back = parseNumber(formatNumber(v, locale), locale);
            ASSERT_TRUE(back.has_value()) << formatNumber(v, locale);
            EXPECT_EQ(*back, v) << formatNumber(v, locale);
        }
    }
}

struct ParseRow {
    const char* text;
    NumberLocale locale;
    std::optional<double> expected;
};

class ParseNumberTest : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseNumberTest, ReadsOrRejects) {
    const ParseRow& row = GetParam();
    EXPECT_EQ(parseNumber(row.text, row.locale), row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, ParseNumberTest,
    testing::Values(ParseRow{" 25 ", kEnglish, 25}, ParseRow{"1e3", kEnglish, 1000},
                    ParseRow{"-0.5", kEnglish, -0.5}, ParseRow{"1,000.5", kEnglish, 1000.5},
                    ParseRow{"12,345,678.25", kEnglish, 12345678.25}, ParseRow{"+3", kEnglish, 3},
                    ParseRow{".5", kEnglish, 0.5}, ParseRow{"5.", kEnglish, 5},
                    ParseRow{"\t7\t", kEnglish, 7}, ParseRow{"1E-3", kEnglish, 0.001},
                    ParseRow{"2.5e+2", kEnglish, 250}, ParseRow{"1.234,5", kGerman, 1234.5},
                    ParseRow{"0,5", kGerman, 0.5}, ParseRow{"1e-999", kEnglish, 0.0},
                    ParseRow{"1e-99999999999999999999", kEnglish, 0.0},
                    ParseRow{"007", kEnglish, 7}));

INSTANTIATE_TEST_SUITE_P(
    Rejected, ParseNumberTest,
    testing::Values(
        ParseRow{"", kEnglish, std::nullopt}, ParseRow{" ", kEnglish, std::nullopt},
        ParseRow{"abc", kEnglish, std::nullopt}, ParseRow{"1..2", kEnglish, std::nullopt},
        ParseRow{"1e999", kEnglish, std::nullopt},
        ParseRow{"1e99999999999999999999", kEnglish, std::nullopt},
        ParseRow{"-1e999", kEnglish, std::nullopt}, ParseRow{"-", kEnglish, std::nullopt},
        ParseRow{"1e", kEnglish, std::nullopt}, ParseRow{"e5", kEnglish, std::nullopt},
        ParseRow{".", kEnglish, std::nullopt}, ParseRow{"1,00", kEnglish, std::nullopt},
        ParseRow{"1234.5", kGerman, std::nullopt}, ParseRow{"0.5", kGerman, std::nullopt},
        ParseRow{"1.2.3", kEnglish, std::nullopt}, ParseRow{"12abc", kEnglish, std::nullopt},
        ParseRow{"0x10", kEnglish, std::nullopt}, ParseRow{"inf", kEnglish, std::nullopt},
        ParseRow{"nan", kEnglish, std::nullopt}, ParseRow{"1 000", kEnglish, std::nullopt},
        ParseRow{"--1", kEnglish, std::nullopt}, ParseRow{"- 1", kEnglish, std::nullopt},
        ParseRow{",5", kEnglish, std::nullopt}));

}  // namespace
}  // namespace coilsmith
