#include "frame/EditCommands.h"

#include <cstdint>
#include <limits>

namespace coilsmith {

namespace {

// The undo marks are 16-bit: a larger position or length does not fit and fails the step.
std::optional<std::int16_t> toInt16(long long value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

int editLength(const std::string& utf8) {
    int units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) == 0x80) {
            continue;  // continuation byte
        }
        units += byte >= 0xF0 ? 2 : 1;  // characters beyond the BMP take a surrogate pair
    }
    return units;
}

void copySelection(FrameState& state, EditTarget& target, Clipboard& clipboard) {
    if (target.isTextBox()) {
        if (const auto selected = target.selText()) {
            clipboard.setText(*selected);
        }
    }
    state.EditDone = true;
    state.CopyDone = true;
}

void cutSelection(FrameState& state, EditTarget& target, Clipboard& clipboard) {
    if (target.isTextBox()) {
        const auto selected = target.selText();
        if (!selected) {
            return;
        }
        clipboard.setText(*selected);
        if (!target.replaceSelection({})) {
            return;
        }
    }
    state.EditDone = true;
    state.CutDone = true;
}

void pasteClipboard(FrameState& state, EditTarget& target, Clipboard& clipboard) {
    if (target.isTextBox()) {
        const auto start = target.selStart();
        const auto start16 = start ? toInt16(*start) : std::nullopt;
        if (!start16) {
            return;
        }
        state.UndoStart = *start16;
        const std::string text = clipboard.text();
        if (!target.replaceSelection(text)) {
            return;
        }
        const auto length16 = toInt16(editLength(text));
        if (!length16) {
            return;
        }
        state.UndoLength = *length16;
    }
    state.EditDone = true;
    state.PasteDone = true;
}

void deleteSelection(FrameState& state, EditTarget& target) {
    if (const auto start = target.selStart()) {
        if (const auto start16 = toInt16(*start)) {
            state.UndoStart = *start16;
        }
    }
    if (const auto selected = target.selText()) {
        state.DeletedText = *selected;
    }
    target.replaceSelection({});
    state.EditDone = true;
    state.DeleteDone = true;
}

void undoLastEdit(FrameState& state, EditTarget& target, Clipboard& clipboard) {
    if (!state.EditDone) {
        return;
    }
    if (state.CutDone) {
        target.replaceSelection(clipboard.text());
    } else if (state.PasteDone) {
        target.setSelStart(state.UndoStart);
        target.setSelLength(state.UndoLength);
        target.replaceSelection({});
    } else if (state.DeleteDone) {
        target.setSelStart(state.UndoStart);
        target.replaceSelection(state.DeletedText);
    } else {
        clipboard.setText({});
    }
    state.EditDone = false;
    state.CutDone = false;
    state.CopyDone = false;
    state.PasteDone = false;
    state.DeleteDone = false;
}

}  // namespace coilsmith
