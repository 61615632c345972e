#include "designwindow/DesignWindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "check/DeliveredTexts.h"
#include "designwindow/CheckPage.h"
#include "designwindow/DesignPages.h"

namespace coilsmith {

namespace {

constexpr const char* kAmbientKey = "DesignCheck/Ambient";
constexpr const char* kStackKey = "DesignCheck/DeliveredStack";

// Settings are kept only by the program itself, which names its organisation; a test or
// tool without one leaves the user's settings alone.
bool settingsKept() {
    return !QCoreApplication::organizationName().isEmpty();
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Read-only boxes take the window colour so that they read as outputs, not inputs.
void showReadOnly(QLineEdit& box, bool readOnly) {
    if (box.isReadOnly() == readOnly && box.property("readOnlyShown").isValid()) {
        return;
    }
    box.setReadOnly(readOnly);
    box.setProperty("readOnlyShown", true);
    QPalette palette = box.parentWidget() ? box.parentWidget()->palette() : box.palette();
    if (readOnly) {
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    }
    box.setPalette(palette);
}

}  // namespace

DesignWindow::DesignWindow(ChokeModel::Options options, Prompter& prompter, ChokeListener* listener,
                           QWidget* parent)
    : QWidget(parent), model_(std::move(options), prompter, listener) {
    setObjectName(QStringLiteral("Choke"));
    setWindowTitle(QStringLiteral("Design"));
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("DsnTab"));
    tabs_->addTab(makeSpecificationsPage(), QStringLiteral("Design Specifications"));
    tabs_->addTab(makeCoreDatabasePage(), QStringLiteral("Core Database"));
    tabs_->addTab(makeResultsPage(), QStringLiteral("Design Results"));
    checkPage_ = new CheckPage;
    tabs_->addTab(checkPage_, QStringLiteral("Design Check"));
    restoreAmbient();
    connect(checkPage_, &CheckPage::ambientChanged, this, &DesignWindow::changeAmbient);
    connect(checkPage_, &CheckPage::stackChanged, this, &DesignWindow::changeStack);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);

    bindControls();
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int page) {
        if (refreshing_ || page < 0) {
            return;
        }
        checkPageShown_ = page == kCheckPage;
        model_.selectPage(page);
    });
    auto* calculate = findChild<QPushButton*>(QStringLiteral("CAP"));
    connect(calculate, &QPushButton::clicked, this,
            [this] { run([](ChokeModel& model) { model.calculateAreaProduct(); }); });
    // Return in a specification field calculates the area product, as the button does.
    for (const char* field : {"Ldes", "DCC", "ACC", "Freq", "FD"}) {
        connect(findChild<QLineEdit*>(qs(field)), &QLineEdit::returnPressed, calculate,
                &QPushButton::click);
    }
    adviserButton_ = findChild<QPushButton*>(QStringLiteral("AdviserButton"));
    apRelation_ = findChild<QLabel*>(QStringLiteral("APRelation"));
    limitWarning_ = findChild<QLabel*>(QStringLiteral("LimitWarning"));
    connect(adviserButton_, &QPushButton::clicked, this, &DesignWindow::adviserRequested);
    refresh();
}

void DesignWindow::bindControls() {
    for (const Control& control : model_.controls()) {
        auto* widget = findChild<QWidget*>(qs(control.name));
        if (!widget) {
            continue;
        }
        widgets_.emplace(control.name, widget);
        switch (control.kind) {
            case ControlKind::TextBox:
                bindTextBox(control.name, widget);
                break;
            case ControlKind::ComboBox:
                bindList(control.name, widget, control.editable);
                break;
            case ControlKind::OptionButton:
                bindOption(control.name, widget);
                break;
        }
    }
}

void DesignWindow::bindTextBox(const std::string& name, QWidget* widget) {
    if (auto* box = qobject_cast<QLineEdit*>(widget)) {
        connect(box, &QLineEdit::textEdited, this,
                [this, name](const QString& text) { typeText(name, text); });
    }
}

void DesignWindow::bindList(const std::string& name, QWidget* widget, bool editable) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (!combo) {
        return;
    }
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        connect(combo->lineEdit(), &QLineEdit::textEdited, this,
                [this, name](const QString& text) { typeText(name, text); });
    }
    connect(combo, &QComboBox::activated, this, [this, name](int index) {
        run([&](ChokeModel& model) { model.chooseItem(name, index); });
    });
}

void DesignWindow::bindOption(const std::string& name, QWidget* widget) {
    auto* button = qobject_cast<QAbstractButton*>(widget);
    if (!button) {
        return;
    }
    // The model keeps the two core types exclusive; Qt's own exclusivity could not show
    // the state in which neither is chosen.
    button->setAutoExclusive(false);
    connect(button, &QAbstractButton::clicked, this, [this, name] {
        // Clicking the type that is already chosen changes nothing.
        if (model_.control(name).value) {
            refresh();
            return;
        }
        run([&](ChokeModel& model) { model.setOption(name, true); });
    });
}

// Typing runs nothing, but a typed specification, core or material no longer has the
// check of the last Run: its page goes unavailable at once.
void DesignWindow::typeText(const std::string& name, const QString& text) {
    const bool hadCheck = model_.lastCheck().has_value();
    model_.editText(name, text.toStdString());
    if (hadCheck && !model_.lastCheck()) {
        showPages();
    }
    emit changed();
}

void DesignWindow::run(const std::function<void(ChokeModel&)>& procedure) {
    procedure(model_);
    refresh();
    emit changed();
}

void DesignWindow::refresh() {
    refreshing_ = true;
    for (const Control& control : model_.controls()) {
        showControl(control);
    }
    showPages();
    showLimits();
    // The adviser needs the minimum area product that "Calculate AP" leaves behind.
    adviserButton_->setEnabled(model_.pageAvailable(kCorePage));
    refreshing_ = false;
}

void DesignWindow::showPages() {
    const bool haveCheck = model_.lastCheck().has_value();
    // A page the model chooses (Run shows the results) wins over the check page only when
    // it is another page than the one the model chose before.
    if (model_.selectedPage() != modelPageShown_ || !haveCheck) {
        checkPageShown_ = false;
    }
    modelPageShown_ = model_.selectedPage();
    checkPage_->showCheck(model_);
    const QSignalBlocker blocker(tabs_);
    for (int page = 0; page < tabs_->count(); ++page) {
        tabs_->setTabEnabled(page, page == kCheckPage ? haveCheck : model_.pageAvailable(page));
    }
    tabs_->setCurrentIndex(checkPageShown_ ? kCheckPage : model_.selectedPage());
}

void DesignWindow::showLimits() {
    const ChokeModel::AreaProductRelation relation = model_.areaProductRelation();
    apRelation_->setText(qs(relation.symbol));
    apRelation_->setToolTip(qs(relation.words));
    const std::string warning = methodLimitWarning(model_.exceededLimits());
    limitWarning_->setText(qs(warning));
    limitWarning_->setVisible(!warning.empty());
}

void DesignWindow::restoreAmbient() {
    if (!settingsKept()) {
        return;
    }
    bool isNumber = false;
    const double celsius = QSettings().value(QLatin1String(kAmbientKey)).toDouble(&isNumber);
    // A value edited outside the box's range is not taken.
    if (isNumber && celsius >= kLowestAmbientC && celsius <= kHighestAmbientC) {
        model_.setAmbientTemperature(celsius);
    }
    const QString stack = QSettings().value(QLatin1String(kStackKey)).toString();
    model_.setDeliveredStack(stackChoiceFromText(stack.toStdString()));
}

void DesignWindow::changeAmbient(double celsius) {
    model_.setAmbientTemperature(celsius);
    if (settingsKept()) {
        QSettings().setValue(QLatin1String(kAmbientKey), model_.ambientTemperature());
    }
    checkPage_->showCheck(model_);
}

void DesignWindow::changeStack(StackChoice stack) {
    model_.setDeliveredStack(stack);
    if (settingsKept()) {
        QSettings().setValue(QLatin1String(kStackKey),
                             qs(stackChoiceText(model_.deliveredStack())));
    }
    checkPage_->showCheck(model_);
}

void DesignWindow::showControl(const Control& control) {
    const auto it = widgets_.find(control.name);
    if (it == widgets_.end()) {
        return;
    }
    QWidget* widget = it->second;
    const QSignalBlocker blocker(widget);
    widget->setEnabled(control.enabled);
    if (!control.toolTip.empty()) {
        widget->setToolTip(qs(control.toolTip));
    }
    switch (control.kind) {
        case ControlKind::TextBox:
            if (auto* box = qobject_cast<QLineEdit*>(widget)) {
                if (box->text() != qs(control.text)) {
                    box->setText(qs(control.text));
                }
                showReadOnly(*box, control.readOnly);
            }
            break;
        case ControlKind::ComboBox:
            showComboBox(control, widget);
            break;
        case ControlKind::OptionButton:
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setChecked(control.value);
            }
            break;
    }
}

void DesignWindow::showComboBox(const Control& control, QWidget* widget) {
    auto* combo = qobject_cast<QComboBox*>(widget);
    if (!combo) {
        return;
    }
    auto& shown = shownItems_[control.name];
    if (shown != control.items) {
        QStringList items;
        items.reserve(static_cast<qsizetype>(control.items.size()));
        for (const auto& item : control.items) {
            items << qs(item);
        }
        combo->clear();
        combo->addItems(items);
        shown = control.items;
    }
    int index = control.selectedIndex;
    if (index < 0 && !control.text.empty()) {
        index = combo->findText(qs(control.text), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    }
    combo->setCurrentIndex(index);
    if (combo->isEditable() && combo->currentText() != qs(control.text)) {
        const QSignalBlocker editBlocker(combo->lineEdit());
        combo->setEditText(qs(control.text));
    }
}

void DesignWindow::focusFirstField() {
    widgets_.at("Ldes")->setFocus(Qt::OtherFocusReason);
}

QWidget* DesignWindow::controlOf(QWidget* widget) const {
    for (QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        const auto it = widgets_.find(w->objectName().toStdString());
        if (it != widgets_.end() && it->second == w) {
            return w;
        }
    }
    return nullptr;
}

void DesignWindow::commitEdit(QWidget* control) {
    QWidget* owner = controlOf(control);
    if (!owner) {
        return;
    }
    const std::string name = owner->objectName().toStdString();
    if (auto* box = qobject_cast<QLineEdit*>(owner)) {
        typeText(name, box->text());
    } else if (auto* combo = qobject_cast<QComboBox*>(owner); combo && combo->isEditable()) {
        typeText(name, combo->currentText());
    }
    emit changed();
}

}  // namespace coilsmith
