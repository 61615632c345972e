#pragma once

#include <optional>
#include <string>

#include "frame/FrameState.h"
#include "platform/Clipboard.h"

namespace coilsmith {

// The control an edit command works on: the focused control of the design window.
// Positions and lengths count characters from 0. Each operation reports whether it
// worked; a control without a text selection fails them all.
class EditTarget {
  public:
    virtual ~EditTarget() = default;
    virtual bool isTextBox() const = 0;
    virtual std::optional<int> selStart() const = 0;
    virtual std::optional<std::string> selText() const = 0;
    virtual bool setSelStart(int start) = 0;  // also empties the selection
    virtual bool setSelLength(int length) = 0;
    // Replaces the selection; the caret ends after the inserted text.
    virtual bool replaceSelection(const std::string& text) = 0;
};

// No focused control: every step fails.
class NoEditTarget final : public EditTarget {
  public:
    bool isTextBox() const override { return false; }
    std::optional<int> selStart() const override { return std::nullopt; }
    std::optional<std::string> selText() const override { return std::nullopt; }
    bool setSelStart(int) override { return false; }
    bool setSelLength(int) override { return false; }
    bool replaceSelection(const std::string&) override { return false; }
};

// Length of UTF-8 text in the characters a text box counts (UTF-16 code units).
int editLength(const std::string& utf8);

// Copy, Delete and Undo skip a failing step; Cut and Paste stop at it, marks included.
void copySelection(FrameState& state, EditTarget& target, Clipboard& clipboard);
void cutSelection(FrameState& state, EditTarget& target, Clipboard& clipboard);
void pasteClipboard(FrameState& state, EditTarget& target, Clipboard& clipboard);
void deleteSelection(FrameState& state, EditTarget& target);
void undoLastEdit(FrameState& state, EditTarget& target, Clipboard& clipboard);

}  // namespace coilsmith
