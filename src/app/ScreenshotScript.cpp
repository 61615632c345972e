#include "ScreenshotScript.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>
#include <QTimer>

#include "design/Choke.h"
#include "frame/Main.h"

namespace coilsmith {

namespace {

void playLine(Main& frame, const QString& line) {
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    const QString name = line.section(QLatin1Char(' '), 1, 1);
    const QString rest = line.section(QLatin1Char(' '), 2);
    Choke* choke = frame.design();
    if (verb == QLatin1String("new")) {
        frame.mNew_Click();
    } else if (verb == QLatin1String("run")) {
        frame.mRun_Click();
    } else if (verb == QLatin1String("quit")) {
        QCoreApplication::exit(0);  // without closing the frame, which would ask to save
    } else if (verb == QLatin1String("grab")) {
        frame.grab().save(name);
    } else if (!choke) {
        return;
    } else if (verb == QLatin1String("set")) {
        if (auto* box = choke->findChild<QLineEdit*>(name)) {
            box->setText(rest);
            choke->commitEdit(box);
        }
    } else if (verb == QLatin1String("pick")) {
        if (auto* combo = choke->findChild<QComboBox*>(name)) {
            // Material numbers such as "-26" are items, not indexes.
            int index = combo->findText(rest);
            if (index < 0) {
                index = rest.toInt();
            }
            combo->setCurrentIndex(index);
            emit combo->activated(index);
        }
    } else if (verb == QLatin1String("click") || verb == QLatin1String("option")) {
        if (auto* button = choke->findChild<QAbstractButton*>(name)) {
            button->click();
        }
    } else if (verb == QLatin1String("page")) {
        choke->findChild<QTabWidget*>(QStringLiteral("DsnTab"))->setCurrentIndex(name.toInt());
    }
}

}  // namespace

void runScreenshotScriptIfAsked(Main& frame) {
    const QString path = qEnvironmentVariable("COILSMITH_SCRIPT");
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return;
    }
    QStringList lines;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#'))) {
            lines << line;
        }
    }
    // One action per turn of the event loop, so each one is painted before the next.
    int delay = 300;
    for (const QString& line : lines) {
        QTimer::singleShot(delay, &frame, [&frame, line] { playLine(frame, line); });
        delay += 150;
    }
}

}  // namespace coilsmith
