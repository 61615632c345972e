#pragma once

#include <string>
#include <vector>

#include "platform/Printer.h"

namespace coilsmith {

// Blank columns kept between the widest text of a table column and the next column.
inline constexpr int kColumnGap = 2;

// A printer size as it came, or PrinterError when it is not a finite number.
float checkedSize(float twips);

// The widest of `texts` in the printer's current font.
float widestText(Printer& printer, const std::vector<std::string>& texts);

// `text` in lines no wider than `width` in the printer's current font. Lines break after
// a word; a word wider than a line breaks after a path separator or, failing that, between
// two characters. A text that fits is one line exactly as given (its blanks kept); an
// empty text has no lines; every line holds at least one character, however narrow the
// width.
std::vector<std::string> wrapText(Printer& printer, const std::string& text, float width);

// The columns of a table whose columns usually start at `usual` (printer columns, from 1)
// and whose widest texts are `widest` twips wide, in a font of `columnWidth` twips a column,
// on a line that ends at `right`. A column keeps its usual start where the widest text
// before it ends kColumnGap columns earlier; otherwise it moves right to clear that text.
// When the last column then has less room than it needs (its widest text, but no more
// than `lastNeeds`), the columns move left as far as the texts before them allow. When
// that reaches past the left edge, the columns share the line from column 1 in proportion
// to their widths, and their texts wrap.
std::vector<int> fitColumns(const std::vector<int>& usual, const std::vector<float>& widest,
                            float columnWidth, float right, float lastNeeds);

// One text of a table row and the printer column it starts at.
struct TableCell {
    int column = 1;
    std::string text;
};

// Lays text out from the top of a page down, each line as high as the current font's
// lines, keeping its own vertical position (printing moves the printer's). A row that
// would cross the foot of the page goes to the top of the next page.
class TextFlow {
  public:
    TextFlow(Printer& printer, float y);

    float y() const noexcept { return y_; }
    void moveTo(float y) noexcept { y_ = y; }
    int page() const noexcept { return page_; }
    float lineHeight();
    void skipLines(int lines);
    // Goes to the next page unless `lines` more lines fit on this one.
    void keepLines(int lines);

    // Lines centred on the page width, wrapped where the text is wider than the page;
    // `ending` follows the last line and does not count for centring. Returns the number
    // of lines.
    int centred(const std::string& text, const std::string& ending = {});

    // A black rule across the page at the current position.
    void rule();

    // A row of cells, in column order: each text wrapped to end kColumnGap columns
    // before the next cell (the last one at `right`), the row as tall as its longest cell.
    void row(const std::vector<TableCell>& cells, float right);

    // The width of one printer column in the current font.
    float columnWidth();

  private:
    void makeRoom(float height);

    Printer& p_;
    float top_;
    float y_;
    int page_ = 0;
};

}  // namespace coilsmith
