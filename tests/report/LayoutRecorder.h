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
        std::vector<std::string> found;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const Box& a = texts[i];
            const std::string name = "\"" + a.text + "\" on page " + std::to_string(a.page + 1);
            if (a.pushedToNextLine)
                found.push_back(name +
                                " went to the next line: the text before it runs past its column");
            if (a.left < -kTolerance || a.top < -kTolerance || a.right > width_ + kTolerance ||
                a.bottom > height_ + kTolerance)
                found.push_back(name + " is not inside the page");
            for (std::size_t j = i + 1; j < texts.size(); ++j)
                if (overlap(a, texts[j]))
                    found.push_back(name + " overlaps \"" + texts[j].text + "\"");
            for (const Box& line : lines)
                if (crosses(line, a))
                    found.push_back(name + " is crossed by a line");
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
    // Boxes that only touch (adjacent lines, a tick mark ending at its label) do not
    // overlap; the tolerance absorbs the rounding of twips.
    static constexpr float kTolerance = 0.01f;

    static bool overlap(const Box& a, const Box& b) {
        return a.page == b.page && a.left < b.right - kTolerance && b.left < a.right - kTolerance &&
               a.top < b.bottom - kTolerance && b.top < a.bottom - kTolerance;
    }
    // A line's box, flat for a straight rule, against the inside of a text's box.
    static bool crosses(const Box& line, const Box& text) {
        return line.page == text.page && line.left < text.right - kTolerance &&
               line.right > text.left + kTolerance && line.top < text.bottom - kTolerance &&
               line.bottom > text.top + kTolerance;
    }

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
