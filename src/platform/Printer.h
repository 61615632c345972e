#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace coilsmith {

// Whatever the printer refuses (no device, a file that cannot be written, a painter that
// will not start) surfaces as this exception from any printer operation.
class PrinterError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The printer as the report sees it: positions and sizes in twips, the origin at the top
// left of the printable page, one current position that printing moves on. Lines advance
// by the height of the current font; columns are counted from 1 at the left edge, one
// column being the average character width of the current font.
class Printer {
  public:
    virtual ~Printer() = default;

    virtual void setFontBold(bool bold) = 0;
    virtual void setFontName(const std::string& name) = 0;
    virtual void setFontSize(float points) = 0;

    virtual float textWidth(const std::string& text) = 0;
    virtual float textHeight(const std::string& text) = 0;
    virtual float pageWidth() = 0;
    // The height of the printable page; text below it is cut off.
    virtual float pageHeight() = 0;
    // Where a column starts in the current font: (column - 1) average character widths.
    virtual float columnX(int column) = 0;

    virtual void setCurrentX(float x) = 0;
    virtual void setCurrentY(float y) = 0;

    // Prints at the current position and moves to the start of the next line.
    virtual void printLine(const std::string& text) = 0;
    // Moves to the start of the next line (ends a line that holds text).
    virtual void printEmptyLine() = 0;
    // Prints at the given column of the current line and stays on it; a column the line
    // has already passed is taken on the next line.
    virtual void printAtColumn(int column, const std::string& text) = 0;
    virtual void endLine() = 0;

    // A straight line; the current position moves to its end point. Colour 0 is black.
    virtual void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;

    // Ends the page and starts the next one; the current position moves to its top left.
    virtual void newPage() = 0;

    // Sends the page to the printer. A printer destroyed before this discards its page.
    virtual void endDocument() = 0;
};

}  // namespace coilsmith
