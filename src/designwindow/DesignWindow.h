#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "windowmodel/ChokeModel.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace coilsmith {

class CheckPage;

// The design window: the tab control DsnTab over a ChokeModel it owns. A user action goes
// into the model and runs its procedure; after every procedure the widget shows the model
// again. Nothing is computed here.
class DesignWindow : public QWidget {
    Q_OBJECT

  public:
    DesignWindow(ChokeModel::Options options, Prompter& prompter, ChokeListener* listener,
                 QWidget* parent = nullptr);

    ChokeModel& model() noexcept { return model_; }
    const ChokeModel& model() const noexcept { return model_; }

    // Runs a procedure of the model on behalf of the frame, then shows the outcome.
    void run(const std::function<void(ChokeModel&)>& procedure);
    // Shows every control, the page availability and the selected page as the model has them.
    void refresh();

    // The model control that `widget` belongs to (the control itself or a part of it),
    // or nullptr when it is none of them.
    QWidget* controlOf(QWidget* widget) const;
    // After an edit command changed a control's text: the model takes it as typed.
    void commitEdit(QWidget* control);
    // The keyboard cursor goes to the first specification field, Ldes.
    void focusFirstField();

  signals:
    // The "Core Adviser" button: the frame opens the adviser for this design.
    void adviserRequested();
    // The model may have changed: a procedure ran or the user typed into a control.
    void changed();

  private:
    void bindControls();
    void bindTextBox(const std::string& name, QWidget* widget);
    void bindList(const std::string& name, QWidget* widget, bool editable);
    void bindOption(const std::string& name, QWidget* widget);
    void typeText(const std::string& name, const QString& text);
    void showControl(const Control& control);
    void showComboBox(const Control& control, QWidget* widget);
    void showPages();
    void showLimits();
    void restoreAmbient();
    void changeAmbient(double celsius);
    void changeStack(StackChoice stack);

    ChokeModel model_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* adviserButton_ = nullptr;
    QLabel* apRelation_ = nullptr;
    QLabel* limitWarning_ = nullptr;
    CheckPage* checkPage_ = nullptr;
    // The check page is the widget's own: the model knows pages 0..2 only. It stays shown
    // across Runs until the user or the model picks another page.
    bool checkPageShown_ = false;
    int modelPageShown_ = kSpecPage;
    std::map<std::string, QWidget*, std::less<>> widgets_;
    std::map<std::string, std::vector<std::string>, std::less<>> shownItems_;
    bool refreshing_ = false;
};

}  // namespace coilsmith
