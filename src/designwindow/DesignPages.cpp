#include "designwindow/DesignPages.h"

#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace coilsmith {

namespace {

// Line edits are sized for the longest text they show: a result with its unit,
// "24.73  mOhms", or a core number.
constexpr int kBoxChars = 14;

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QLineEdit* textBox(const char* name) {
    auto* box = new QLineEdit;
    box->setObjectName(QString::fromLatin1(name));
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * kBoxChars);
    return box;
}

QComboBox* comboBox(const char* name) {
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setInsertPolicy(QComboBox::NoInsert);
    // Measuring a long core list on first show is slow; the width comes from this instead.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    return combo;
}

QLabel* rowLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QWidget* pageWith(QLayout* content) {
    auto* page = new QWidget;
    auto* outer = new QVBoxLayout(page);
    outer->addLayout(content);
    outer->addStretch(1);
    return page;
}

struct SpecRow {
    const char* caption;
    const char* input;
    bool inputIsList;
    const char* unit;  // a unit selector, or a fixed unit text when unitIsText
    bool unitIsText;
};

}  // namespace

QWidget* makeSpecificationsPage() {
    static constexpr SpecRow rows[] = {
        {"Desired Inductance", "Ldes", false, "Lunit", false},
        {"DC Current", "DCC", false, "DCunit", false},
        {"AC Current Ripple (pk-pk)", "ACC", false, "ACunit", false},
        {"AC Ripple Frequency", "Freq", false, "Funit", false},
        {"Current Density", "CurD", true, "A/cm^2", true},
        {"Window Utilization", "WU", true, "fraction of window area", true},
        {"Maximum Flux Density", "FD", false, "Bunit", false},
    };
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->addWidget(heading(QStringLiteral("Enter Design Parameters")), 0, 0, 1, 3);
    int row = 1;
    for (const auto& spec : rows) {
        QWidget* input = spec.inputIsList ? static_cast<QWidget*>(comboBox(spec.input))
                                          : static_cast<QWidget*>(textBox(spec.input));
        grid->addWidget(rowLabel(QString::fromLatin1(spec.caption), input), row, 0);
        grid->addWidget(input, row, 1);
        if (spec.unitIsText) {
            grid->addWidget(new QLabel(QString::fromLatin1(spec.unit)), row, 2);
        } else {
            grid->addWidget(comboBox(spec.unit), row, 2);
        }
        ++row;
    }
    auto* cap = new QPushButton(QStringLiteral("Calculate AP"));
    cap->setObjectName(QStringLiteral("CAP"));
    cap->setAutoDefault(false);
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(cap, row++, 1);
    QLineEdit* apr = textBox("APR");
    grid->addWidget(rowLabel(QStringLiteral("Minimum Required Area Product, AP (cm^4)"), apr), row,
                    0);
    grid->addWidget(apr, row, 1);
    return pageWith(grid);
}

QWidget* makeCoreDatabasePage() {
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    int row = 0;
    grid->addWidget(heading(QStringLiteral("Select Core From Library")), row++, 0, 1, 5);

    auto* eCore = new QRadioButton(QStringLiteral("E-core"));
    eCore->setObjectName(QStringLiteral("ECore"));
    auto* toroid = new QRadioButton(QStringLiteral("Toroid"));
    toroid->setObjectName(QStringLiteral("Toroid"));
    auto* types = new QHBoxLayout;
    types->addWidget(eCore);
    types->addWidget(toroid);
    types->addStretch(1);
    // Not a control of the design: it hands the whole catalogue to the core adviser.
    auto* adviser = new QPushButton(QStringLiteral("Core Adviser"));
    adviser->setObjectName(QStringLiteral("AdviserButton"));
    adviser->setToolTip(QStringLiteral(
        "Design every catalogue core and material for this specification and rank them"));
    adviser->setAutoDefault(false);
    types->addWidget(adviser);
    grid->addWidget(new QLabel(QStringLiteral("Select Core Type :")), row, 0);
    grid->addLayout(types, row++, 1, 1, 4);

    QComboBox* core = comboBox("Core");
    core->setMinimumContentsLength(14);
    grid->addWidget(rowLabel(QStringLiteral("Select Core"), core), row, 0);
    grid->addWidget(core, row++, 1);
    QComboBox* material = comboBox("CoreMat");
    material->setMinimumContentsLength(14);
    grid->addWidget(rowLabel(QStringLiteral("Select Material"), material), row, 0);
    grid->addWidget(material, row++, 1);

    QLineEdit* minAP = textBox("minAP");
    QLineEdit* aprod = textBox("APROD");
    grid->addWidget(rowLabel(QStringLiteral("Minimum AP Required (cm^4)"), minAP), row, 0);
    grid->addWidget(minAP, row, 1);
    // Not a control of the design: the window shows how the two area products stand.
    auto* relation = new QLabel(QStringLiteral("<"));
    relation->setObjectName(QStringLiteral("APRelation"));
    grid->addWidget(relation, row, 2, Qt::AlignCenter);
    grid->addWidget(rowLabel(QStringLiteral("Core AP (cm^4)"), aprod), row, 3);
    grid->addWidget(aprod, row++, 4);

    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(heading(QStringLiteral("Core Parameters")), row++, 0, 1, 5);

    // "Permeability," with the Greek mu in a label of its own, as the symbol is drawn
    // from a symbol font.
    QLineEdit* mu = textBox("Mu");
    auto* muCaption = new QHBoxLayout;
    muCaption->setSpacing(2);
    muCaption->addWidget(rowLabel(QStringLiteral("Permeability,"), mu));
    muCaption->addWidget(new QLabel(QString(QChar(0x03BC))));
    muCaption->addStretch(1);
    grid->addLayout(muCaption, row, 0);
    grid->addWidget(mu, row++, 1);

    static constexpr std::pair<const char*, const char*> parameters[] = {
        {"Ac (cm^2)", "ACORE"},
        {"Vc (cm^3)", "VCORE"},
        {"Lc (cm)", "MPL"},
        {"Window Area (cm^2)", "WinArea"},
    };
    for (const auto& [caption, name] : parameters) {
        QLineEdit* box = textBox(name);
        grid->addWidget(rowLabel(QString::fromLatin1(caption), box), row, 0);
        grid->addWidget(box, row++, 1);
    }
    return pageWith(grid);
}

QWidget* makeResultsPage() {
    static constexpr std::pair<const char*, const char*> results[] = {
        {"Inductance", "Inductance"},
        {"Effective Permeability", "EffMu"},
        {"Number of Turns", "NTurns"},
        {"Wire AWG", "WAWG"},
        {"DC Resistance", "DCR"},
        {"Copper Loss (W)", "CUL"},
        {"Core Loss (W)", "COL"},
        {"Total Loss (W)", "PTOT"},
        {"Total Weight (g)", "TWT"},
        {"Temperature Rise (deg. C)", "TRISE"},
        {"Bmax (T)", "FDmax"},
        {"Bac (T)", "FDac"},
        {"Hdc (A/cm)", "FIdc"},
        {"J (A/cm^2)", "CDact"},
        {"Core", "fCore"},
        {"Relative Cost", "Price"},
    };
    constexpr int kRowsPerColumn = 8;
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    grid->setColumnMinimumWidth(2, 16);
    grid->addWidget(heading(QStringLiteral("Design Data")), 0, 0, 1, 5);
    int index = 0;
    for (const auto& [caption, name] : results) {
        const int column = index < kRowsPerColumn ? 0 : 3;
        const int row = 1 + index % kRowsPerColumn;
        QLineEdit* box = textBox(name);
        grid->addWidget(rowLabel(QString::fromLatin1(caption), box), row, column);
        grid->addWidget(box, row, column + 1);
        ++index;
    }
    // Not a control of the design: the limits of the method the results exceed.
    auto* warning = new QLabel;
    warning->setObjectName(QStringLiteral("LimitWarning"));
    warning->setWordWrap(true);
    warning->hide();
    grid->addWidget(warning, 1 + kRowsPerColumn, 0, 1, 5);
    return pageWith(grid);
}

}  // namespace coilsmith
