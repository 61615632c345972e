#include "platform/QtPrinter.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace coilsmith {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// A thin rule that still shows on a 300 dpi printer and in a PDF viewer.
constexpr double kRuleWidthTwips = 10.0;

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), text.size());
}

// Fonts with the metrics of Times, for systems that have no "Times" of their own. Qt does
// not follow the font system's metric aliases, so they are looked for here.
QString availableFamily(const QString& name) {
    if (QFontDatabase::hasFamily(name) || name != QLatin1String("Times")) {
        return name;
    }
    for (const char* alias :
         {"Times New Roman", "Liberation Serif", "Nimbus Roman", "Tinos", "TeX Gyre Termes"}) {
        const QString family = QString::fromLatin1(alias);
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    return name;
}

// Colours come as 0x00BBGGRR.
QColor fromBgr(std::uint32_t colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                  static_cast<int>((colour >> 16) & 0xFFu));
}

}  // namespace

QtPrinter::QtPrinter(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
    if (!printer_) {
        throw PrinterError("no printer");
    }
}

QtPrinter::~QtPrinter() {
    if (painter_.isActive() && !ended_) {
        // An unfinished report is thrown away rather than sent half-printed.
        printer_->abort();
        painter_.end();
    }
}

void QtPrinter::setFontBold(bool bold) {
    font_.setBold(bold);
}

void QtPrinter::setFontName(const std::string& name) {
    font_.setFamily(availableFamily(toQString(name)));
    font_.setStyleHint(name == "Times" ? QFont::Serif : QFont::AnyStyle);
}

void QtPrinter::setFontSize(float points) {
    if (!std::isfinite(points) || points <= 0.0f) {
        throw PrinterError("invalid font size");
    }
    font_.setPointSizeF(points);
}

float QtPrinter::textWidth(const std::string& text) {
    const QFontMetricsF metrics(font_, printer_.get());
    return toTwips(metrics.horizontalAdvance(toQString(text)));
}

float QtPrinter::textHeight(const std::string&) {
    return lineHeight();
}

float QtPrinter::lineHeight() {
    const QFontMetricsF metrics(font_, printer_.get());
    return toTwips(metrics.height());
}

float QtPrinter::pageWidth() {
    return toTwips(printer_->width());
}

float QtPrinter::pageHeight() {
    return toTwips(printer_->height());
}

float QtPrinter::columnX(int column) {
    const QFontMetricsF metrics(font_, printer_.get());
    return static_cast<float>(std::max(column - 1, 0)) * toTwips(metrics.averageCharWidth());
}

void QtPrinter::printLine(const std::string& text) {
    drawText(text);
    endLine();
}

void QtPrinter::printAtColumn(int column, const std::string& text) {
    const float start = columnX(column);
    if (x_ > start) {
        endLine();
    }
    x_ = start;
    drawText(text);
    x_ += textWidth(text);
}

void QtPrinter::endLine() {
    x_ = 0.0f;
    y_ += lineHeight();
}

void QtPrinter::drawLine(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    QPainter& p = painter();
    QPen pen(fromBgr(colour));
    pen.setWidthF(toDevice(static_cast<float>(kRuleWidthTwips)));
    p.setPen(pen);
    p.drawLine(QPointF(toDevice(x1), toDevice(y1)), QPointF(toDevice(x2), toDevice(y2)));
    x_ = x2;
    y_ = y2;
}

void QtPrinter::newPage() {
    painter();  // a page that has nothing on it yet is still a page of its own
    if (!printer_->newPage()) {
        throw PrinterError("the printer did not start a new page");
    }
    x_ = 0.0f;
    y_ = 0.0f;
}

void QtPrinter::endDocument() {
    QPainter& p = painter();
    if (!p.end()) {
        throw PrinterError("the printer did not accept the document");
    }
    ended_ = true;
}

QPainter& QtPrinter::painter() {
    if (ended_) {
        throw PrinterError("the document has already been ended");
    }
    if (!painter_.isActive() && !painter_.begin(printer_.get())) {
        throw PrinterError("the printer could not be started");
    }
    return painter_;
}

void QtPrinter::drawText(const std::string& text) {
    QPainter& p = painter();
    p.setFont(font_);
    p.setPen(Qt::black);
    const QFontMetricsF metrics(font_, printer_.get());
    // The current position is the top of the line; Qt draws on the baseline.
    p.drawText(QPointF(toDevice(x_), toDevice(y_) + metrics.ascent()), toQString(text));
}

double QtPrinter::toDevice(float twips) const {
    return static_cast<double>(twips) * printer_->resolution() / kTwipsPerInch;
}

float QtPrinter::toTwips(double pixels) const {
    return static_cast<float>(pixels * kTwipsPerInch / printer_->resolution());
}

}  // namespace coilsmith
