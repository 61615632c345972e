#pragma once

#include <QString>
#include <QWidget>

#include "platform/Prompter.h"

class QPlainTextEdit;

namespace coilsmith {

inline constexpr const char* kHelpFileName = "help.csx";

// The help window: the program's help file shown unchanged, read-only, with an Exit
// button; Escape closes it too. Not modal; it opens within the screen.
class HelpWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Creates the window, loads the help file from `appDir` and shows it; it deletes
    // itself when closed. A missing or unreadable file is reported through the prompter,
    // naming the file, and no window is left open (nullptr).
    static HelpWindow* open(const QString& appDir, Prompter& prompter, QWidget* parent = nullptr);

    // The program folder, the separator, "help.csx".
    static QString helpPath(const QString& appDir);

    // Loads the help file; false (and an empty text) when it cannot be read.
    bool loadHelpText(const QString& appDir);
    void navigate(int index);

    QString text() const;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QPlainTextEdit* textView_;
};

}  // namespace coilsmith
