#include "ScreenshotScript.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <optional>

#include "designwindow/DesignWindow.h"
#include "frame/MainWindow.h"

namespace coilsmith {

namespace {

// Time for each action's painting before the next one.
constexpr int kStartDelayMs = 300;
constexpr int kStepDelayMs = 150;

using Problem = std::optional<QString>;

// The text of a message box the program shows, if any: the script is off its course.
Problem shownMessage() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
            return QStringLiteral("the program shows the message \"%1\"").arg(box->text());
        }
    }
    return std::nullopt;
}

Problem playOnDesign(DesignWindow& choke, const QString& verb, const QString& name,
                     const QString& rest) {
    if (verb == QLatin1String("set")) {
        auto* box = choke.findChild<QLineEdit*>(name);
        if (!box) {
            return QStringLiteral("no text box ") + name;
        }
        box->setText(rest);
        choke.commitEdit(box);
    } else if (verb == QLatin1String("pick")) {
        auto* combo = choke.findChild<QComboBox*>(name);
        if (!combo) {
            return QStringLiteral("no list ") + name;
        }
        // Material numbers such as "-26" are items, not indexes.
        int index = combo->findText(rest);
        if (index < 0) {
            bool isNumber = false;
            index = rest.toInt(&isNumber);
            if (!isNumber || index < 0 || index >= combo->count()) {
                return QStringLiteral("the list %1 has no item %2").arg(name, rest);
            }
        }
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    } else if (verb == QLatin1String("click") || verb == QLatin1String("option")) {
        auto* button = choke.findChild<QAbstractButton*>(name);
        if (!button) {
            return QStringLiteral("no button ") + name;
        }
        button->click();
    } else if (verb == QLatin1String("page")) {
        auto* pages = choke.findChild<QTabWidget*>(QStringLiteral("DsnTab"));
        bool isNumber = false;
        const int page = name.toInt(&isNumber);
        if (!pages || !isNumber || page < 0 || page >= pages->count()) {
            return QStringLiteral("no page ") + name;
        }
        pages->setCurrentIndex(page);
    } else {
        return QStringLiteral("unknown action ") + verb;
    }
    return std::nullopt;
}

Problem playLine(MainWindow& frame, const QString& line) {
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    const QString name = line.section(QLatin1Char(' '), 1, 1);
    const QString rest = line.section(QLatin1Char(' '), 2);
    if (verb == QLatin1String("new")) {
        frame.controller().newDesign();
    } else if (verb == QLatin1String("run")) {
        frame.controller().runDesign();
    } else if (verb == QLatin1String("quit")) {
        QCoreApplication::exit(0);  // without closing the frame, which would ask to save
    } else if (verb == QLatin1String("grab")) {
        if (!frame.grab().save(name)) {
            return QStringLiteral("cannot write ") + name;
        }
    } else if (DesignWindow* choke = frame.design()) {
        return playOnDesign(*choke, verb, name, rest);
    } else {
        return QStringLiteral("no design window for ") + verb;
    }
    return std::nullopt;
}

void stop(const QString& line, const QString& problem) {
    std::fprintf(stderr, "Screenshot script, \"%s\": %s\n", qPrintable(line), qPrintable(problem));
    QCoreApplication::exit(1);
}

// Plays the lines from `next` on, one per timer shot. The following shot is set before
// an action runs: an action that opens a message box waits in the box's own event loop,
// where the next shot finds the box and stops the script.
void playFrom(MainWindow& frame, std::shared_ptr<const QStringList> lines, qsizetype next) {
    if (next >= lines->size()) {
        return;
    }
    const QString& line = lines->at(next);
    if (const Problem problem = shownMessage()) {
        stop(line, *problem);
        return;
    }
    QTimer::singleShot(kStepDelayMs, &frame,
                       [&frame, lines, next] { playFrom(frame, lines, next + 1); });
    if (const Problem problem = playLine(frame, line)) {
        stop(line, *problem);
    }
}

}  // namespace

void playScreenshotScript(MainWindow& frame, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "Screenshot script %s cannot be read\n", qPrintable(path));
        QTimer::singleShot(0, &frame, [] { QCoreApplication::exit(1); });
        return;
    }
    auto lines = std::make_shared<QStringList>();
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            lines->append(line);
        }
    }
    QTimer::singleShot(
        kStartDelayMs, &frame,
        [&frame, lines = std::shared_ptr<const QStringList>(lines)] { playFrom(frame, lines, 0); });
}

}  // namespace coilsmith
