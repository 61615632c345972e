#pragma once

#include <memory>

#include "fakes/RecordingPrinter.h"
#include "platform/PrinterDialog.h"

namespace coilsmith {

// Answers as scripted. The printer it hands out forwards to `printer`, which the dialog
// keeps, so the recording stays readable after the report has released its printer.
class FakePrinterDialog final : public PrinterDialog {
  public:
    Outcome outcome = Outcome::Chosen;
    int shown = 0;
    RecordingPrinter printer;

    Result choose() override {
        ++shown;
        if (outcome != Outcome::Chosen) {
            return {outcome, nullptr};
        }
        return {Outcome::Chosen, std::make_unique<Forward>(printer)};
    }

  private:
    class Forward final : public Printer {
      public:
        explicit Forward(Printer& target) : t_(target) {}
        void setFontBold(bool bold) override { t_.setFontBold(bold); }
        void setFontName(const std::string& name) override { t_.setFontName(name); }
        void setFontSize(float points) override { t_.setFontSize(points); }
        float textWidth(const std::string& text) override { return t_.textWidth(text); }
        float textHeight(const std::string& text) override { return t_.textHeight(text); }
        float pageWidth() override { return t_.pageWidth(); }
        float pageHeight() override { return t_.pageHeight(); }
        float columnX(int column) override { return t_.columnX(column); }
        void setCurrentX(float x) override { t_.setCurrentX(x); }
        void setCurrentY(float y) override { t_.setCurrentY(y); }
        void printLine(const std::string& text) override { t_.printLine(text); }
        void printEmptyLine() override { t_.printEmptyLine(); }
        void printAtColumn(int column, const std::string& text) override {
            t_.printAtColumn(column, text);
        }
        void endLine() override { t_.endLine(); }
        void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override {
            t_.drawLine(x1, y1, x2, y2, colour);
        }
        void newPage() override { t_.newPage(); }
        void endDocument() override { t_.endDocument(); }

      private:
        Printer& t_;
    };
};

}  // namespace coilsmith
