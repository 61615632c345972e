// The table, CSV and number pieces of the command line's output.
#include <gtest/gtest.h>

#include <string>

#include "cli/TextFields.h"

namespace {

using namespace coilsmith::cli;

const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD, the replacement character

// Each ill-formed sequence becomes one U+FFFD per byte that cannot start a character;
// controls become U+FFFD only in a table cell.
struct TextRow {
    const char* name;
    std::string text, validUtf8, tableCell;
    std::size_t columns;  // of the table cell
};

TEST(TextFields, CatalogueNamesBecomeValidUtf8AndOneLineCells) {
    const TextRow rows[] = {
        {"plain", "T184", "T184", "T184", 4},
        {"two, three and four bytes", "\xC2\xB5-\xE2\x82\xAC-\xF0\x9F\x98\x80",
         "\xC2\xB5-\xE2\x82\xAC-\xF0\x9F\x98\x80", "\xC2\xB5-\xE2\x82\xAC-\xF0\x9F\x98\x80", 5},
        {"stray byte",
         "T\xFF"
         "1",
         "T" + kBad + "1", "T" + kBad + "1", 3},
        {"overlong slash", "\xC0\xAF", kBad + kBad, kBad + kBad, 2},
        {"cut short at the end", "ab\xE2\x82", "ab" + kBad + kBad, "ab" + kBad + kBad, 4},
        {"line break and tab", "a\nb\tc", "a\nb\tc", "a" + kBad + "b" + kBad + "c", 5},
        {"escape and delete", "\x1B[1m\x7F", "\x1B[1m\x7F", kBad + "[1m" + kBad, 5},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(validUtf8(row.text), row.validUtf8);
        EXPECT_EQ(tableCell(row.text), row.tableCell);
        EXPECT_EQ(displayWidth(tableCell(row.text)), row.columns);
    }
    EXPECT_EQ(csvField("a,\xFF"), "\"a," + kBad + "\"");
}

// A float's value as the double that prints as its shortest decimal. 0.4f is
// 0.4000000059604645 as a double; 33.59798f is 33.597980499267578.
TEST(TextFields, SinglePrecisionValuesKeepTheirMeaningfulDigits) {
    EXPECT_EQ(shortestNumber(singlePrecisionValue(0.4f)), "0.4");
    EXPECT_EQ(shortestNumber(singlePrecisionValue(33.59798f)), "33.59798");
    EXPECT_EQ(shortestNumber(singlePrecisionValue(1e-7f)), "1e-07");
}

}  // namespace
