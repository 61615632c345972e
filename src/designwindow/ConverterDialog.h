#pragma once

#include <QDialog>

#include <optional>
#include <string>

#include "converter/ConverterSpecification.h"
#include "numeric/NumberText.h"
#include "windowmodel/SpecificationEntry.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTableWidget;

namespace coilsmith {

// Design → "Specification from Converter…": the converter's topology, input range, output,
// switching frequency and either a ripple ratio or an inductance. As the figures are typed
// it shows the worst case (D over the range; L, Idc and ΔI with the input that gives each)
// or the converter's refusal, and offers OK only for a converter it can specify. Numbers take
// the SI prefixes n, u, m, k, M ("100k") and the user's decimal separator. All arithmetic is
// converter::specifyFromConverter's.
class ConverterDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ConverterDialog(NumberLocale locale, QWidget* parent = nullptr);

    // The worst-case specification of the figures shown; empty while they are refused.
    const std::optional<converter::ConverterSpecification>& specification() const noexcept {
        return specification_;
    }
    // What the design window is given: the specification's L, Idc, ΔI and frequency.
    std::optional<SpecificationEntry> entry() const;

  private:
    void buildForm();
    void showSpecification();
    converter::ConverterInput input() const;  // throws when a figure cannot be read
    double figure(const QLineEdit* box, const QString& name) const;

    NumberLocale locale_;
    QComboBox* topology_ = nullptr;
    QLineEdit* vinMin_ = nullptr;
    QLineEdit* vinMax_ = nullptr;
    QLineEdit* vout_ = nullptr;
    QLineEdit* iout_ = nullptr;
    QLineEdit* frequency_ = nullptr;
    QLineEdit* efficiency_ = nullptr;
    QRadioButton* byRippleRatio_ = nullptr;
    QRadioButton* byInductance_ = nullptr;
    QLineEdit* rippleRatio_ = nullptr;
    QLineEdit* inductance_ = nullptr;
    QTableWidget* worstCase_ = nullptr;
    QLabel* refusal_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    std::optional<converter::ConverterSpecification> specification_;
};

// Shows the dialog; the entry of the accepted converter, or nothing when it was cancelled.
std::optional<SpecificationEntry> askConverterSpecification(QWidget* parent,
                                                            const NumberLocale& locale);

}  // namespace coilsmith
