#include "designwindow/CheckPage.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

#include "check/CheckTexts.h"
#include "check/DeliveredTexts.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/ModelTexts.h"

namespace coilsmith {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidget* table(const char* name, const QStringList& headings) {
    auto* t = new QTableWidget(0, static_cast<int>(headings.size()));
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headings);
    t->verticalHeader()->hide();
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setWordWrap(false);
    // Rows one text line high, so that a part or all the verdicts show at once.
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

QTableWidgetItem* cell(const std::string& text) {
    return new QTableWidgetItem(qs(text));
}

QIcon verdictIcon(Verdict verdict) {
    QStyle* style = QApplication::style();
    switch (verdict) {
        case Verdict::Pass:
            return style->standardIcon(QStyle::SP_DialogApplyButton);
        case Verdict::Warning:
            return style->standardIcon(QStyle::SP_MessageBoxWarning);
        case Verdict::Fail:
            return style->standardIcon(QStyle::SP_MessageBoxCritical);
        case Verdict::Unavailable:
            break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxQuestion);
}

QTableWidgetItem* valueCell(const std::string& text, bool emphasised = false) {
    auto* item = cell(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (emphasised) {
        QFont font = item->font();
        font.setBold(true);
        item->setFont(font);
    }
    return item;
}

void showFigures(QTableWidget& t, const DeliveredTexts& texts) {
    t.clearSpans();
    t.setRowCount(0);
    std::string part;
    for (const ComparedFigureRow& row : texts.figures) {
        int r = t.rowCount();
        if (row.part != part) {
            // Each part under its own bold heading across the table.
            part = row.part;
            t.insertRow(r);
            auto* heading = cell(part);
            QFont font = heading->font();
            font.setBold(true);
            heading->setFont(font);
            t.setItem(r, 0, heading);
            t.setSpan(r, 0, 1, t.columnCount());
            r = t.rowCount();
        }
        t.insertRow(r);
        t.setItem(r, 0, cell(row.label));
        t.setItem(r, 1, valueCell(row.designed));
        t.setItem(r, 2, valueCell(row.delivered, row.changed));
        t.setItem(r, 3, cell(row.unit));
    }
}

template <class Texts>
void showVerdicts(QTableWidget& t, const Texts& texts) {
    t.setRowCount(static_cast<int>(texts.verdicts.size()));
    for (int r = 0; r < t.rowCount(); ++r) {
        const CheckVerdictRow& row = texts.verdicts[static_cast<std::size_t>(r)];
        t.setItem(r, 0, cell(row.check));
        auto* verdict = cell(row.verdictText);
        verdict->setIcon(verdictIcon(row.verdict));
        t.setItem(r, 1, verdict);
        t.setItem(r, 2, cell(row.reason));
    }
    t.resizeColumnsToContents();
}

QLineSeries* series(QChart* chart, const QString& name, const QColor& colour, Qt::PenStyle style,
                    QValueAxis* x, QValueAxis* y) {
    auto* s = new QLineSeries(chart);
    s->setName(name);
    QPen pen(colour);
    pen.setWidthF(2);
    pen.setStyle(style);
    s->setPen(pen);
    chart->addSeries(s);
    s->attachAxis(x);
    s->attachAxis(y);
    return s;
}

void setRoundRange(QValueAxis& axis, double highest) {
    const RoundAxis round = roundAxis(highest);
    axis.setRange(0, round.top);
    axis.setTickCount(round.intervals() + 1);
}

}  // namespace

CheckPage::CheckPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CheckPage"));

    ambient_ = new QSpinBox;
    ambient_->setObjectName(QStringLiteral("Ambient"));
    ambient_->setRange(kLowestAmbientC, kHighestAmbientC);
    ambient_->setSuffix(QStringLiteral(" °C"));
    ambient_->setKeyboardTracking(false);  // one check per entered value, not per digit
    connect(ambient_, &QSpinBox::valueChanged, this,
            [this](int celsius) { emit ambientChanged(celsius); });
    auto* ambientLabel = new QLabel(tr("Ambient temperature:"));
    ambientLabel->setBuddy(ambient_);
    auto* ambientRow = new QHBoxLayout;
    ambientRow->addWidget(ambientLabel);
    ambientRow->addWidget(ambient_);

    stack_ = new QComboBox;
    stack_->setObjectName(QStringLiteral("DeliveredStack"));
    for (const std::string& choice : stackChoiceTexts())
        stack_->addItem(qs(choice));
    stack_->setCurrentText(qs(stackChoiceText(StackChoice::smallestThatPasses())));
    connect(stack_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        emit stackChanged(stackChoiceFromText(text.toStdString()));
    });
    auto* stackLabel = new QLabel(tr("Delivered design on cores:"));
    stackLabel->setBuddy(stack_);
    ambientRow->addSpacing(12);
    ambientRow->addWidget(stackLabel);
    ambientRow->addWidget(stack_);
    ambientRow->addStretch(1);

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("DeliveredSummary"));
    summary_->setWordWrap(true);

    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    // Narrow margins leave the plot room where a small screen makes the chart small.
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart_ = new QChartView(chart);
    chart_->setObjectName(QStringLiteral("CheckChart"));
    chart_->setRenderHint(QPainter::Antialiasing);
    // Short axis titles keep their units where a small screen leaves the chart little room.
    chart_->setMinimumSize(360, 200);
    currentAxis_ = new QValueAxis(chart);
    currentAxis_->setTitleText(tr("I (A)"));
    currentAxis_->setLabelFormat(QStringLiteral("%g"));
    inductanceAxis_ = new QValueAxis(chart);
    inductanceAxis_->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(currentAxis_, Qt::AlignBottom);
    chart->addAxis(inductanceAxis_, Qt::AlignLeft);
    curve_ = series(chart, tr("L(I)"), QColor(30, 90, 170), Qt::SolidLine, currentAxis_,
                    inductanceAxis_);
    deliveredCurve_ = series(chart, tr("Delivered L(I)"), QColor(20, 150, 150), Qt::SolidLine,
                             currentAxis_, inductanceAxis_);
    required_ = series(chart, tr("Required L"), QColor(200, 60, 30), Qt::DashLine, currentAxis_,
                       inductanceAxis_);
    idc_ =
        series(chart, tr("Idc"), QColor(60, 140, 60), Qt::DotLine, currentAxis_, inductanceAxis_);
    ipk_ =
        series(chart, tr("Ipk"), QColor(150, 80, 160), Qt::DotLine, currentAxis_, inductanceAxis_);

    figures_ = table("CheckFigures",
                     {tr("Figure"), tr("As designed"), tr("Delivered design"), tr("Unit")});
    verdicts_ = table("CheckVerdicts", {tr("Check"), tr("Verdict"), tr("Reason")});
    deliveredVerdicts_ =
        table("DeliveredVerdicts", {tr("Delivered design"), tr("Verdict"), tr("Reason")});
    // The labels take what room is left; values and units as wide as their texts.
    figures_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    figures_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    figures_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    figures_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    figures_->horizontalHeader()->setStretchLastSection(false);
    figures_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    figures_->setMinimumWidth(figures_->fontMetrics().averageCharWidth() * 60);
    // Every verdict in view where there is room; on a small screen three, and a scroll bar.
    const auto verdictsHigh = [this](int rows) {
        return verdicts_->horizontalHeader()->sizeHint().height() +
               verdicts_->verticalHeader()->defaultSectionSize() * rows +
               2 * verdicts_->frameWidth() + 2;
    };
    constexpr int kVerdictRows = 7;
    constexpr int kFewestVerdictRows = 3;
    for (QTableWidget* t : {verdicts_, deliveredVerdicts_}) {
        t->setMinimumHeight(verdictsHigh(kFewestVerdictRows));
        t->setMaximumHeight(verdictsHigh(kVerdictRows));
    }

    auto* grid = new QGridLayout(this);
    grid->addLayout(ambientRow, 0, 0, 1, 2);
    grid->addWidget(chart_, 1, 0);
    grid->addWidget(figures_, 1, 1);
    grid->addWidget(summary_, 2, 0, 1, 2);
    grid->addWidget(verdicts_, 3, 0);
    grid->addWidget(deliveredVerdicts_, 3, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(1, 1);
}

void CheckPage::showCheck(const ChokeModel& model) {
    {
        const QSignalBlocker blocker(ambient_);
        // The box's range first: the model takes any finite temperature (the command line's).
        const double shown =
            std::clamp(model.ambientTemperature(), static_cast<double>(kLowestAmbientC),
                       static_cast<double>(kHighestAmbientC));
        ambient_->setValue(static_cast<int>(std::lround(shown)));
    }
    {
        const QSignalBlocker blocker(stack_);
        stack_->setCurrentText(qs(stackChoiceText(model.deliveredStack())));
    }
    const std::optional<CheckTexts> check = checkTexts(model);
    const std::optional<DeliveredTexts> delivered = deliveredTexts(model);
    showFigures(*figures_, delivered.value_or(DeliveredTexts{}));
    showVerdicts(*verdicts_, check.value_or(CheckTexts{}));
    showVerdicts(*deliveredVerdicts_, delivered.value_or(DeliveredTexts{}));
    summary_->setText(delivered ? qs(delivered->summary) : QString());
    summary_->setVisible(delivered.has_value());
    showChart(model);
}

void CheckPage::showChart(const ChokeModel& model) {
    QChart* chart = chart_->chart();
    const auto& check = model.lastCheck();
    const auto& input = model.lastCheckInput();
    const bool haveCurve = check && input && check->inductance.available();
    for (QLineSeries* s : {curve_, deliveredCurve_, required_, idc_, ipk_}) {
        s->clear();
        s->setVisible(haveCurve);
    }
    currentAxis_->setVisible(haveCurve);
    inductanceAxis_->setVisible(haveCurve);
    chart->legend()->setVisible(haveCurve);
    if (!haveCurve) {
        chart->setTitle(check ? tr("No L(I) curve: %1").arg(qs(check->inductance.unavailableReason))
                              : QString());
        return;
    }
    chart->setTitle(QString());  // the axis titles and the legend say what is drawn

    const InductanceFigures& f = *check->inductance.figures;
    const InductanceUnit unit = inductanceUnit(input->requiredInductanceH);
    inductanceAxis_->setTitleText(tr("L (%1)").arg(QString::fromUtf8(unit.name)));
    QList<QPointF> points;
    double highest = input->requiredInductanceH;
    for (const CurvePoint& p : f.curve) {
        points.append({p.currentA, p.inductanceH * unit.perHenry});
        highest = std::max(highest, p.inductanceH);
    }
    curve_->replace(points);
    QList<QPointF> deliveredPoints;
    if (const auto& delivered = model.lastDelivered()) {
        for (const physics::InductancePoint& p : delivered->curve) {
            deliveredPoints.append({p.currentA, p.inductanceH * unit.perHenry});
            highest = std::max(highest, p.inductanceH);
        }
    }
    deliveredCurve_->replace(deliveredPoints);
    deliveredCurve_->setVisible(!deliveredPoints.isEmpty());

    const RoundAxis currents = roundAxis(f.curve.back().currentA);
    setRoundRange(*currentAxis_, f.curve.back().currentA);
    setRoundRange(*inductanceAxis_, highest * unit.perHenry);
    const double top = roundAxis(highest * unit.perHenry).top;
    const double required = input->requiredInductanceH * unit.perHenry;
    required_->replace({{0, required}, {currents.top, required}});
    const double ipk = input->peakCurrentA();
    idc_->replace({{input->idcA, 0}, {input->idcA, top}});
    ipk_->replace({{ipk, 0}, {ipk, top}});
}

}  // namespace coilsmith
