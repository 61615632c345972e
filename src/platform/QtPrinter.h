#pragma once

#include <QFont>
#include <QPainter>
#include <QPrinter>
#include <memory>

#include "platform/Printer.h"

namespace coilsmith {

// The report printer on a QPrinter (a real printer or a PDF file). Twips are converted to
// device pixels here rather than through a painter scale, so that fonts keep their point
// size on the device and the measurements match what is drawn.
class QtPrinter final : public Printer {
  public:
    explicit QtPrinter(std::unique_ptr<QPrinter> printer);
    ~QtPrinter() override;
    QtPrinter(const QtPrinter&) = delete;
    QtPrinter& operator=(const QtPrinter&) = delete;

    void setFontBold(bool bold) override;
    void setFontName(const std::string& name) override;
    void setFontSize(float points) override;

    float textWidth(const std::string& text) override;
    float textHeight(const std::string& text) override;
    float pageWidth() override;
    float pageHeight() override;
    float columnX(int column) override;

    void setCurrentX(float x) override { x_ = x; }
    void setCurrentY(float y) override { y_ = y; }

    void printLine(const std::string& text) override;
    void printEmptyLine() override { endLine(); }
    void printAtColumn(int column, const std::string& text) override;
    void endLine() override;

    void drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) override;
    void newPage() override;
    void endDocument() override;

    float currentX() const noexcept { return x_; }
    float currentY() const noexcept { return y_; }

  private:
    QPainter& painter();
    void drawText(const std::string& text);
    double toDevice(float twips) const;
    float toTwips(double pixels) const;
    float lineHeight();

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    float x_ = 0.0f;
    float y_ = 0.0f;
    bool ended_ = false;
};

}  // namespace coilsmith
