#pragma once

#include <QWidget>

#include "check/DeliveredChoke.h"

class QChartView;
class QComboBox;
class QLabel;
class QLineSeries;
class QSpinBox;
class QValueAxis;
class QTableWidget;

namespace coilsmith {

class ChokeModel;

// The tab of the design check; enabled while the model holds a check.
inline constexpr int kCheckPage = 3;
// The ambient temperatures the page offers, °C.
inline constexpr int kLowestAmbientC = -40;
inline constexpr int kHighestAmbientC = 100;

// The "Design Check" page: the L(I) chart of the check and of the delivered design with the
// required L and the currents Idc and Ipk marked, the figures as designed and delivered, both
// designs' verdicts, the ambient temperature and the delivered design's stack. It shows what
// the model holds; the texts come from deliveredTexts.
class CheckPage : public QWidget {
    Q_OBJECT

  public:
    explicit CheckPage(QWidget* parent = nullptr);

    // Shows the model's last check, or empties the page when there is none.
    void showCheck(const ChokeModel& model);

  signals:
    // The user set another ambient temperature, °C.
    void ambientChanged(double celsius);
    // The user chose another stack for the delivered design.
    void stackChanged(StackChoice stack);

  private:
    void showChart(const ChokeModel& model);

    QChartView* chart_ = nullptr;
    QLineSeries* curve_ = nullptr;
    QLineSeries* deliveredCurve_ = nullptr;
    QLineSeries* required_ = nullptr;
    QLineSeries* idc_ = nullptr;
    QLineSeries* ipk_ = nullptr;
    QValueAxis* currentAxis_ = nullptr;
    QValueAxis* inductanceAxis_ = nullptr;
    QTableWidget* figures_ = nullptr;
    QTableWidget* verdicts_ = nullptr;
    QTableWidget* deliveredVerdicts_ = nullptr;
    QSpinBox* ambient_ = nullptr;
    QComboBox* stack_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace coilsmith
