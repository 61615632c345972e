#include "designwindow/ConverterDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "converter/SiNumber.h"
#include "converter/WorstCaseSummary.h"

namespace coilsmith {

namespace {

// A figure that cannot be read: the message names the box.
class FigureError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

QLineEdit* addBox(QFormLayout* form, const char* name, const QString& label,
                  const QString& text = {}) {
    auto* box = new QLineEdit(text);
    box->setObjectName(QString::fromLatin1(name));
    form->addRow(label, box);
    return box;
}

}  // namespace

ConverterDialog::ConverterDialog(NumberLocale locale, QWidget* parent)
    : QDialog(parent), locale_(std::move(locale)) {
    setObjectName(QStringLiteral("ConverterDialog"));
    setWindowTitle(QStringLiteral("Specification from Converter"));
    buildForm();
    showSpecification();
}

void ConverterDialog::buildForm() {
    auto* form = new QFormLayout;
    topology_ = new QComboBox;
    topology_->setObjectName(QStringLiteral("Topology"));
    topology_->addItems({QStringLiteral("Buck"), QStringLiteral("Boost"),
                         QStringLiteral("Buck-boost (inverting)")});
    form->addRow(QStringLiteral("Topology"), topology_);
    vinMin_ = addBox(form, "VinMin", QStringLiteral("Vin min (V)"));
    vinMax_ = addBox(form, "VinMax", QStringLiteral("Vin max (V)"));
    vout_ = addBox(form, "Vout", QStringLiteral("Vout (V, a magnitude)"));
    iout_ = addBox(form, "Iout", QStringLiteral("Iout (A)"));
    frequency_ = addBox(form, "Fs", QStringLiteral("Switching frequency (Hz, 100k = 100 kHz)"));
    efficiency_ = addBox(form, "Efficiency", QStringLiteral("Efficiency"), QStringLiteral("1"));

    byRippleRatio_ = new QRadioButton(QStringLiteral("Ripple ratio \u0394I/Idc"));
    byRippleRatio_->setObjectName(QStringLiteral("ByRippleRatio"));
    byRippleRatio_->setChecked(true);
    rippleRatio_ = new QLineEdit(
        QString::fromStdString(typedNumber(converter::kDefaultRippleRatio, locale_.decimalPoint)));
    rippleRatio_->setObjectName(QStringLiteral("RippleRatio"));
    form->addRow(byRippleRatio_, rippleRatio_);
    byInductance_ = new QRadioButton(QStringLiteral("Inductance (H, 47u = 47 \u00b5H)"));
    byInductance_->setObjectName(QStringLiteral("ByInductance"));
    inductance_ = new QLineEdit;
    inductance_->setObjectName(QStringLiteral("GivenInductance"));
    inductance_->setEnabled(false);
    form->addRow(byInductance_, inductance_);

    worstCase_ = new QTableWidget(0, 3);
    worstCase_->setObjectName(QStringLiteral("WorstCase"));
    worstCase_->setHorizontalHeaderLabels(
        {QStringLiteral("Figure"), QStringLiteral("Value"), QStringLiteral("Where")});
    worstCase_->verticalHeader()->hide();
    worstCase_->horizontalHeader()->setStretchLastSection(true);
    worstCase_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    refusal_ = new QLabel;
    refusal_->setObjectName(QStringLiteral("Refusal"));
    refusal_->setWordWrap(true);
    refusal_->setStyleSheet(QStringLiteral("color: #b00000"));
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(worstCase_);
    layout->addWidget(refusal_);
    layout->addWidget(buttons_);

    for (QLineEdit* box :
         {vinMin_, vinMax_, vout_, iout_, frequency_, efficiency_, rippleRatio_, inductance_}) {
        connect(box, &QLineEdit::textChanged, this, &ConverterDialog::showSpecification);
    }
    connect(topology_, &QComboBox::currentIndexChanged, this, &ConverterDialog::showSpecification);
    connect(byInductance_, &QRadioButton::toggled, this, [this](bool byInductance) {
        inductance_->setEnabled(byInductance);
        rippleRatio_->setEnabled(!byInductance);
        showSpecification();
    });
}

// The user's decimal separator is read as the full stop the converter's numbers take.
double ConverterDialog::figure(const QLineEdit* box, const QString& name) const {
    std::string text = box->text().trimmed().toStdString();
    if (text.empty()) {
        throw FigureError("Type " + name.toStdString() + ".");
    }
    if (const auto point = text.find(locale_.decimalPoint);
        point != std::string::npos && locale_.decimalPoint != ".") {
        text.replace(point, locale_.decimalPoint.size(), ".");
    }
    try {
        return converter::parseSiNumber(text);
    } catch (const converter::SiTextError& error) {
        throw FigureError(name.toStdString() + ": " + error.what());
    }
}

converter::ConverterInput ConverterDialog::input() const {
    static constexpr converter::Topology kTopologies[] = {
        converter::Topology::Buck, converter::Topology::Boost, converter::Topology::BuckBoost};
    converter::ConverterInput in;
    in.topology = kTopologies[std::clamp(topology_->currentIndex(), 0, 2)];
    in.vinMinV = figure(vinMin_, QStringLiteral("Vin min"));
    in.vinMaxV = figure(vinMax_, QStringLiteral("Vin max"));
    in.voutV = figure(vout_, QStringLiteral("Vout"));
    in.ioutA = figure(iout_, QStringLiteral("Iout"));
    in.switchingFrequencyHz = figure(frequency_, QStringLiteral("the switching frequency"));
    in.efficiency = figure(efficiency_, QStringLiteral("the efficiency"));
    if (byInductance_->isChecked()) {
        in.inductanceH = figure(inductance_, QStringLiteral("the inductance"));
    } else {
        in.rippleRatio = figure(rippleRatio_, QStringLiteral("the ripple ratio"));
    }
    return in;
}

void ConverterDialog::showSpecification() {
    specification_.reset();
    worstCase_->setRowCount(0);
    QString refusal;
    try {
        const converter::ConverterInput in = input();
        specification_ = converter::specifyFromConverter(in);
        const auto rows = converter::worstCaseSummary(in, *specification_);
        worstCase_->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const converter::SummaryRow& row = rows[static_cast<std::size_t>(r)];
            int column = 0;
            for (const std::string* text : {&row.quantity, &row.value, &row.where}) {
                worstCase_->setItem(r, column++,
                                    new QTableWidgetItem(QString::fromStdString(*text)));
            }
        }
        worstCase_->resizeColumnsToContents();
    } catch (const FigureError& error) {
        refusal = QString::fromStdString(error.what());
    } catch (const converter::ConverterRefusal& error) {
        refusal = QString::fromStdString(error.what());
    }
    refusal_->setText(refusal);
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(specification_.has_value());
}

std::optional<SpecificationEntry> ConverterDialog::entry() const {
    if (!specification_) {
        return std::nullopt;
    }
    const converter::ChokeSpecification& choke = specification_->choke;
    SpecificationEntry entry;
    entry.inductanceH = choke.inductanceH;
    entry.dcCurrentA = choke.dcCurrentA;
    entry.ripplePeakToPeakA = choke.ripplePeakToPeakA;
    entry.frequencyHz = choke.frequencyHz;
    return entry;
}

std::optional<SpecificationEntry> askConverterSpecification(QWidget* parent,
                                                            const NumberLocale& locale) {
    ConverterDialog dialog(locale, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.entry();
}

}  // namespace coilsmith
