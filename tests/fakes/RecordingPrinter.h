#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "platform/Printer.h"

namespace coilsmith {

// A printer that records what is printed where. Every character (every byte of UTF-8) is
// `charWidth` twips wide (so the average character width is `charWidth` too) and every
// line `lineHeight` high; the current position moves as on a real printer.
// `failAtOperation` makes the n-th operation (counted from 0) throw.
class RecordingPrinter : public Printer {
  public:
    struct Op {
        std::string name;
        std::string text;
        float x = 0.0f;  // the position the operation acted at
        float y = 0.0f;
        int column = 0;
        float x2 = 0.0f;
        float y2 = 0.0f;
        std::uint32_t colour = 0;
    };

    float charWidth = 100.0f;
    float lineHeight = 276.0f;
    float width = 11520.0f;
    float height = 15120.0f;
    int failAtOperation = -1;

    std::vector<Op> ops;
    std::string fontName;
    float fontSize = 0.0f;
    bool fontBold = false;
    bool ended = false;

    void setFontBold(bool bold) override { fontBold = recorded("setFontBold", bold); }
    void setFontName(const std::string& name) override {
        fontName = recorded("setFontName", name, name);
    }
    void setFontSize(float points) override { fontSize = recorded("setFontSize", points); }
    float textWidth(const std::string& text) override {
        return recorded("textWidth", charWidth * static_cast<float>(text.size()), text);
    }
    float textHeight(const std::string& text) override {
        return recorded("textHeight", lineHeight, text);
    }
    float pageWidth() override { return recorded("pageWidth", width); }
    float pageHeight() override { return recorded("pageHeight", height); }
    float columnX(int column) override { return recorded("columnX", columnStart(column)); }
    void setCurrentX(float x) override { x_ = recorded("setCurrentX", x); }
    void setCurrentY(float y) override { y_ = recorded("setCurrentY", y); }
    void printLine(const std::string& text) override {
        step("printLine", text);
        newLine();
    }
    void printEmptyLine() override {
        step("printEmptyLine");
        newLine();
    }
    void printAtColumn(int column, const std::string& text) override {
        const float start = columnStart(column);
        if (x_ > start) {
            newLine();
        }
        x_ = start;
        step("printAtColumn", text).column = column;
        x_ += charWidth * static_cast<float>(text.size());
    }
    void endLine() override {
        step("endLine");
        newLine();
    }
    void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
        step("drawLine") = {"drawLine", {}, x1, y1, 0, x2, y2, colour};
        x_ = x2;
        y_ = y2;
    }
    void newPage() override {
        step("newPage");
        x_ = 0.0f;
        y_ = 0.0f;
    }
    void endDocument() override {
        step("endDocument");
        ended = true;
    }

  private:
    // Records the operation, then gives `value` (what it returns or sets).
    template <class T>
    T recorded(const char* name, T value, const std::string& text = {}) {
        step(name, text);
        return value;
    }
    Op& step(const char* name, const std::string& text = {}) {
        if (failAtOperation >= 0 && static_cast<int>(ops.size()) == failAtOperation) {
            throw PrinterError("scripted printer failure");
        }
        ops.push_back({name, text, x_, y_});
        return ops.back();
    }
    float columnStart(int column) const {
        return static_cast<float>(std::max(column - 1, 0)) * charWidth;
    }
    void newLine() {
        x_ = 0.0f;
        y_ += lineHeight;
    }

    float x_ = 0.0f;
    float y_ = 0.0f;
};

}  // namespace coilsmith
