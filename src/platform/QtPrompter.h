#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/Prompter.h"

namespace coilsmith {

// Modal message boxes titled "Coilsmith", centred on the given window.
class QtPrompter final : public Prompter {
  public:
    explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const std::string& text) override;
    bool askYesNo(const std::string& text) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace coilsmith
