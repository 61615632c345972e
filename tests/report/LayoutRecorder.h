#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Printer.h"

namespace coilsmith {

// Forwards every operation to another printer and keeps, page by page, the box each text
// was printed in (measured by that printer) and the lines drawn. It follows the current
// position as the Printer contract describes it, so a text printed at a column its line has
// already passed, which the contract moves to the next line, is marked as run past.
class LayoutRecorder final : public Printer {
  public:
    struct Box {
        int page = 0;
        std::string text;
        float left = 0, top = 0, right = 0, bottom = 0;
        bool pushedToNextLine = false;  // printed on the next line: its column was passed
    };

    explicit LayoutRecorder(Printer& target)
        : t_(target), width_(target.pageWidth()), height_(target.pageHeight()) {}

    std::vector<Box> texts;
    std::vector<Box> lines;  // as boxes from one end point to the other

    // Every way a text breaks the layout: two texts on one another, a text across a line,
    // off the printable page, or run past its column. Empty when the layout is sound.
    std::vector<std::string> faults() const {
        std::vector<std::string> found = boxFaults(texts, 0, 0, width_, height_, kTolerance);
        for (const Box& a : texts) {
            const std::string name = "\"" + a.text + "\" on page " + std::to_string(a.page + 1);
            if (a.pushedToNextLine)
                found.push_back(name +
                                " went to the next line: the text before it runs past its column");
            for (const Box& line : lines)
                if (overlaps(line, a, kTolerance))
                    found.push_back(name + " is crossed by a line");
        }
        return found;
    }

    // Boxes of one page on one another; boxes that only touch (adjacent lines, a tick mark
    // ending at its label) do not overlap. A line is a box, flat for a straight rule.
    static bool overlaps(const Box& a, const Box& b, float tolerance) {
        return a.page == b.page && a.left < b.right - tolerance && b.left < a.right - tolerance &&
               a.top < b.bottom - tolerance && b.top < a.bottom - tolerance;
    }

    // Boxes outside the area from (left, top) to (right, bottom), and boxes on one another.
    static std::vector<std::string> boxFaults(const std::vector<Box>& boxes, float left, float top,
                                              float right, float bottom, float tolerance) {
        std::vector<std::string> found;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            const Box& a = boxes[i];
            const std::string name = "\"" + a.text + "\" on page " + std::to_string(a.page + 1);
            if (a.left < left - tolerance || a.top < top - tolerance ||
                a.right > right + tolerance || a.bottom > bottom + tolerance)
                found.push_back(name + " is outside the page's margins");
            for (std::size_t j = i + 1; j < boxes.size(); ++j)
                if (overlaps(a, boxes[j], tolerance))
                    found.push_back(name + " overlaps \"" + boxes[j].text + "\"");
        }
        return found;
    }

    int pages() const { return page_ + 1; }

    void setFontBold(bool bold) override { t_.setFontBold(bold); }
    void setFontName(const std::string& name) override { t_.setFontName(name); }
    void setFontSize(float points) override { t_.setFontSize(points); }
    float textWidth(const std::string& text) override { return t_.textWidth(text); }
    float textHeight(const std::string& text) override { return t_.textHeight(text); }
    float pageWidth() override { return t_.pageWidth(); }
    float pageHeight() override { return t_.pageHeight(); }
    float columnX(int column) override { return t_.columnX(column); }
    void setCurrentX(float x) override {
        t_.setCurrentX(x);
        x_ = x;
    }
    void setCurrentY(float y) override {
        t_.setCurrentY(y);
        y_ = y;
    }
    void printLine(const std::string& text) override {
        t_.printLine(text);
        record(text, false);
        nextLine();
    }
    void printEmptyLine() override {
        t_.printEmptyLine();
        nextLine();
    }
    void printAtColumn(int column, const std::string& text) override {
        const float start = t_.columnX(column);
        t_.printAtColumn(column, text);
        const bool passed = x_ > start;
        if (passed)
            nextLine();
        x_ = start;
        record(text, passed);
    }
    void endLine() override {
        t_.endLine();
        nextLine();
    }
    void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        t_.drawLine(x1, y1, x2, y2, colour);
        lines.push_back(
            {page_, "", std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)});
        x_ = x2;
        y_ = y2;
    }
    void newPage() override {
        t_.newPage();
        ++page_;
        x_ = 0;
        y_ = 0;
    }
    void endDocument() override { t_.endDocument(); }

  private:
    // The tolerance absorbs the rounding of twips.
    static constexpr float kTolerance = 0.01f;

    // An empty text takes no room.
    void record(const std::string& text, bool pushedToNextLine) {
        const float right = x_ + t_.textWidth(text);
        if (!text.empty())
            texts.push_back(
                {page_, text, x_, y_, right, y_ + t_.textHeight(text), pushedToNextLine});
        x_ = right;
    }
    void nextLine() {
        x_ = 0;
        y_ += t_.textHeight("Ag");
    }

    Printer& t_;
    float width_;
    float height_;
    int page_ = 0;
    float x_ = 0;
    float y_ = 0;
};

}  // namespace coilsmith
