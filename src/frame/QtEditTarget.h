#pragma once

#include <QPointer>
#include <QWidget>

#include "frame/EditCommands.h"

class QLineEdit;

namespace coilsmith {

// An edit target over a Qt control: a line edit is a text box; an editable combo box has
// a text selection but is not a text box; any other control has no text selection.
class QtEditTarget final : public EditTarget {
  public:
    explicit QtEditTarget(QWidget* control);

    bool isTextBox() const override;
    std::optional<int> selStart() const override;
    std::optional<std::string> selText() const override;
    bool setSelStart(int start) override;
    bool setSelLength(int length) override;
    bool replaceSelection(const std::string& text) override;

    // Whether a step changed the control's text.
    bool changed() const noexcept { return changed_; }

  private:
    QLineEdit* edit() const;

    QPointer<QWidget> control_;
    bool textBox_ = false;
    bool changed_ = false;
};

}  // namespace coilsmith
