#include "report/TextFlow.h"

#include <algorithm>
#include <cmath>

namespace coilsmith {

namespace {

// Measured widths are sums of rounded glyph advances; a text this much wider than its room
// still fits.
constexpr float kFitToleranceTwips = 0.01f;
// More columns than any page holds; larger counts are not converted to integers.
constexpr double kMaxColumns = 100000.0;

bool isBlank(char c) {
    return c == ' ';
}
bool isPathSeparator(char c) {
    return c == '/' || c == '\\';
}
// Not the continuation byte of a UTF-8 character.
bool startsCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u;
}

// The longest prefix of `text`, ending where `isEnd(text, i)` allows, that fits `width`;
// 0 when none does.
template <typename IsEnd>
std::size_t longestFitting(Printer& printer, const std::string& text, float width, IsEnd isEnd) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!isEnd(text, i)) {
            continue;
        }
        if (checkedSize(printer.textWidth(text.substr(0, i))) > width + kFitToleranceTwips) {
            break;
        }
        best = i;
    }
    return best;
}

// Where the first line of `text`, which does not fit `width`, ends.
std::size_t lineEnd(Printer& printer, const std::string& text, float width) {
    const auto afterWord = [](const std::string& s, std::size_t i) {
        return isBlank(s[i]) && !isBlank(s[i - 1]);
    };
    if (const std::size_t end = longestFitting(printer, text, width, afterWord); end > 0) {
        return end;
    }
    const std::size_t firstBlank = std::min(text.find(' ', 1), text.size());
    const std::string word = text.substr(0, firstBlank);
    const auto afterSeparator = [](const std::string& s, std::size_t i) {
        return isPathSeparator(s[i - 1]) && startsCharacter(s[i]);
    };
    if (const std::size_t end = longestFitting(printer, word, width, afterSeparator); end > 0) {
        return end;
    }
    const auto betweenCharacters = [](const std::string& s, std::size_t i) {
        return startsCharacter(s[i]);
    };
    if (const std::size_t end = longestFitting(printer, word, width, betweenCharacters); end > 0) {
        return end;
    }
    // Not even one character fits: it gets a line of its own.
    std::size_t end = 1;
    while (end < text.size() && !startsCharacter(text[end])) {
        ++end;
    }
    return end;
}

int columnsCovering(float width, float columnWidth) {
    const double columns = std::ceil(static_cast<double>(width) / columnWidth);
    return static_cast<int>(std::clamp(columns, 0.0, kMaxColumns));
}

int lastColumnStartingBy(float x, float columnWidth) {
    const double column = std::floor(static_cast<double>(x) / columnWidth) + 1.0;
    return static_cast<int>(std::clamp(column, -kMaxColumns, kMaxColumns));
}

}  // namespace

float checkedSize(float twips) {
    if (!std::isfinite(twips)) {
        throw PrinterError("the printer reported a size that is not a number");
    }
    return twips;
}

float widestText(Printer& printer, const std::vector<std::string>& texts) {
    float widest = 0.0f;
    for (const std::string& text : texts) {
        widest = std::max(widest, checkedSize(printer.textWidth(text)));
    }
    return widest;
}

std::vector<std::string> wrapText(Printer& printer, const std::string& text, float width) {
    std::vector<std::string> lines;
    std::string rest = text;
    while (!rest.empty()) {
        if (checkedSize(printer.textWidth(rest)) <= width + kFitToleranceTwips) {
            lines.push_back(rest);
            break;
        }
        const std::size_t end = lineEnd(printer, rest, width);
        lines.push_back(rest.substr(0, end));
        const std::size_t next = rest.find_first_not_of(' ', end);
        rest = next == std::string::npos ? std::string() : rest.substr(next);
    }
    return lines;
}

std::vector<int> fitColumns(const std::vector<int>& usual, const std::vector<float>& widest,
                            float columnWidth, float right, float lastNeeds) {
    std::vector<int> columns = usual;
    if (columns.empty() || widest.size() != columns.size() || !(columnWidth > 0.0f)) {
        return columns;
    }
    std::vector<float> needs = widest;
    needs.back() = std::min(needs.back(), lastNeeds);
    const auto clearOfPrevious = [&](std::size_t i) {
        columns[i] = std::max(
            columns[i], columns[i - 1] + columnsCovering(needs[i - 1], columnWidth) + kColumnGap);
    };
    for (std::size_t i = 1; i < columns.size(); ++i) {
        clearOfPrevious(i);
    }
    int latest = lastColumnStartingBy(right - needs.back(), columnWidth);
    for (std::size_t i = columns.size(); i-- > 0;) {
        columns[i] = std::min(columns[i], latest);
        if (i > 0) {
            latest = columns[i] - kColumnGap - columnsCovering(needs[i - 1], columnWidth);
        }
    }
    if (columns[0] >= 1) {
        return columns;
    }
    // Not every text fits on one line: the columns share the line from its left edge in
    // proportion to their widths, and their texts wrap.
    float total = 0.0f;
    for (const float need : needs) {
        total += need;
    }
    const float gaps = static_cast<float>(kColumnGap * (columns.size() - 1)) * columnWidth;
    const float share = total > 0.0f ? std::clamp((right - gaps) / total, 0.0f, 1.0f) : 1.0f;
    columns[0] = 1;
    for (std::size_t i = 1; i < columns.size(); ++i) {
        columns[i] =
            columns[i - 1] + columnsCovering(needs[i - 1] * share, columnWidth) + kColumnGap;
    }
    return columns;
}

TextFlow::TextFlow(Printer& printer, float y) : p_(printer), top_(y), y_(y) {}

float TextFlow::lineHeight() {
    return checkedSize(p_.textHeight("Ag"));
}

void TextFlow::skipLines(int lines) {
    y_ += static_cast<float>(lines) * lineHeight();
}

void TextFlow::keepLines(int lines) {
    makeRoom(static_cast<float>(lines) * lineHeight());
}

float TextFlow::columnWidth() {
    return checkedSize(p_.columnX(2)) - checkedSize(p_.columnX(1));
}

int TextFlow::centred(const std::string& text, const std::string& ending) {
    const float pageWidth = checkedSize(p_.pageWidth());
    const float endingWidth = checkedSize(p_.textWidth(ending));
    std::vector<std::string> lines{text};
    if (checkedSize(p_.textWidth(text)) + 2.0f * endingWidth > pageWidth + kFitToleranceTwips) {
        lines = wrapText(p_, text, pageWidth - 2.0f * endingWidth);
    }
    const float height = lineHeight();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        makeRoom(height);
        // Widths and half widths stay single precision.
        p_.setCurrentX(checkedSize(pageWidth / 2.0f - checkedSize(p_.textWidth(lines[i])) / 2.0f));
        p_.setCurrentY(y_);
        p_.printLine(i + 1 < lines.size() ? lines[i] : lines[i] + ending);
        y_ += height;
    }
    return static_cast<int>(lines.size());
}

void TextFlow::rule() {
    const float pageWidth = checkedSize(p_.pageWidth());
    p_.setCurrentY(y_);
    p_.drawLine(0.0f, y_, pageWidth, y_, 0);
}

void TextFlow::row(const std::vector<TableCell>& cells, float right) {
    const float gap = static_cast<float>(kColumnGap) * columnWidth();
    std::vector<std::vector<std::string>> cellLines;
    std::size_t rowLines = 1;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const float start = checkedSize(p_.columnX(cells[i].column));
        const float end =
            i + 1 < cells.size() ? checkedSize(p_.columnX(cells[i + 1].column)) - gap : right;
        cellLines.push_back(wrapText(p_, cells[i].text, end - start));
        rowLines = std::max(rowLines, cellLines.back().size());
    }
    const float height = lineHeight();
    makeRoom(static_cast<float>(rowLines) * height);
    for (std::size_t line = 0; line < rowLines; ++line) {
        p_.setCurrentX(0.0f);
        p_.setCurrentY(y_);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (line < cellLines[i].size()) {
                p_.printAtColumn(cells[i].column, cellLines[i][line]);
            }
        }
        p_.endLine();
        y_ += height;
    }
}

void TextFlow::makeRoom(float height) {
    if (y_ + height > checkedSize(p_.pageHeight()) && y_ > top_) {
        p_.newPage();
        ++page_;
        y_ = top_;
    }
}

}  // namespace coilsmith
