#include <gtest/gtest.h>

#include <string>

#include "frame/Commands.h"
#include "frame/EditCommands.h"
#include "platform/fakes/FakeClipboard.h"

using namespace coilsmith;

namespace {

// A text box (or, with textBox false, an editable list) held as text and selection.
struct FakeTarget final : EditTarget {
    bool textBox = true;
    bool hasSelection = true;
    bool replaceFails = false;
    std::string text;
    int start = 0;
    int length = 0;

    bool isTextBox() const override { return textBox; }
    std::optional<int> selStart() const override {
        return hasSelection ? std::optional<int>(start) : std::nullopt;
    }
    std::optional<std::string> selText() const override {
        if (!hasSelection) {
            return std::nullopt;
        }
        return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(length));
    }
    bool setSelStart(int s) override {
        start = std::min<int>(s, static_cast<int>(text.size()));
        length = 0;
        return hasSelection;
    }
    bool setSelLength(int l) override {
        length = std::min<int>(l, static_cast<int>(text.size()) - start);
        return hasSelection;
    }
    bool replaceSelection(const std::string& inserted) override {
        if (!hasSelection || replaceFails) {
            return false;
        }
        text.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(length), inserted);
        start += static_cast<int>(inserted.size());
        length = 0;
        return true;
    }
};

bool anyMark(const FrameState& s) {
    return s.EditDone || s.CutDone || s.CopyDone || s.PasteDone || s.DeleteDone;
}

}  // namespace

TEST(CommandStates, TransitionsFollowTheFrameTable) {
    struct Row {
        const char* name;
        bool start, afterNew, afterAp, afterClose;
    };
    const Row rows[] = {
        {"mFile", true, true, true, true},         {"mSave", false, false, false, false},
        {"mSaveAs", true, true, true, false},      {"mPrint", false, true, true, false},
        {"mEdit", false, true, true, false},       {"mDesign", true, true, true, false},
        {"mSpces", true, true, true, false},       {"mCoreDB", false, false, true, false},
        {"mRun", false, false, true, false},       {"designButt", false, true, true, false},
        {"coredbButt", false, false, true, false}, {"graphButt", false, false, true, false},
        {"helpButt", true, true, true, true},      {"menuBar", true, true, true, true},
        {"mClose", false, true, true, false},      {"delButt", false, true, true, false},
        {"mAdviser", false, false, true, false},
    };
    CommandStates states = startCommands();
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.start) << r.name;
    commandsForNew(states);
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.afterNew) << r.name;
    commandsForAreaProduct(states);
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.afterAp) << r.name;
    resetCommands(states);
    for (const Row& r : rows)
        EXPECT_EQ(states.enabled(r.name), r.afterClose) << r.name;
    commandsForOpen(states);
    for (const auto& name : CommandStates::names())
        EXPECT_TRUE(states.enabled(name)) << name;
    EXPECT_THROW(states.enabled("mGraph"), std::out_of_range);
}

TEST(EditCommands, CutAndPasteStopAtTheFirstFailingStep) {
    FrameState state;
    FakeClipboard clipboard("new");
    FakeTarget target;
    target.text = "abc";
    target.start = 1;
    target.length = 1;
    target.replaceFails = true;
    pasteButt_Click(state, target, clipboard);
    EXPECT_EQ(state.UndoStart, 1);  // the step before the failure happened
    EXPECT_FALSE(anyMark(state));
    cutButt_Click(state, target, clipboard);
    EXPECT_EQ(clipboard.contents, "b");  // put on the clipboard, then the removal failed
    EXPECT_FALSE(anyMark(state));
    target.hasSelection = false;
    cutButt_Click(state, target, clipboard);
    EXPECT_EQ(clipboard.written.size(), 1u);
    EXPECT_FALSE(anyMark(state));
}

TEST(EditCommands, CopyDeleteAndUndoPassOverFailures) {
    FrameState state;
    FakeClipboard clipboard("kept");
    FakeTarget none;
    none.hasSelection = false;
    copyButt_Click(state, none, clipboard);
    delButt_Click(state, none);
    EXPECT_TRUE(state.CopyDone && state.DeleteDone && state.EditDone);
    EXPECT_EQ(clipboard.contents, "kept");
    undoButt_Click(state, none, clipboard);  // Delete's undo fails on this target
    EXPECT_FALSE(anyMark(state));
    EXPECT_EQ(clipboard.contents, "kept");
}

TEST(EditCommands, PasteIntoAListSetsOnlyTheMarks) {
    FrameState state;
    FakeClipboard clipboard("9");
    FakeTarget list;
    list.textBox = false;
    list.text = "400";
    pasteButt_Click(state, list, clipboard);
    EXPECT_EQ(list.text, "400");
    EXPECT_TRUE(state.PasteDone);
    // Delete does not ask what kind of control it has.
    list.start = 0;
    list.length = 1;
    delButt_Click(state, list);
    EXPECT_EQ(list.text, "00");
    EXPECT_EQ(state.DeletedText, "4");
}

TEST(EditCommands, UndoPrecedenceIsCutPasteDeleteCopy) {
    struct Case {
        bool cut, paste, del;
        std::string expectedText;
        std::string expectedClipboard;
    };
    // Text "0123456", caret at 3; UndoStart 1, UndoLength 2, DeletedText "XY", clipboard "c".
    const Case cases[] = {
        {true, true, true, "012c3456", "c"},
        {false, true, true, "03456", "c"},
        {false, false, true, "0XY123456", "c"},
        {false, false, false, "0123456", ""},
    };
    for (const Case& c : cases) {
        FrameState state;
        state.EditDone = state.CopyDone = true;
        state.CutDone = c.cut;
        state.PasteDone = c.paste;
        state.DeleteDone = c.del;
        state.UndoStart = 1;
        state.UndoLength = 2;
        state.DeletedText = "XY";
        FakeClipboard clipboard("c");
        FakeTarget target;
        target.text = "0123456";
        target.start = 3;
        undoButt_Click(state, target, clipboard);
        EXPECT_EQ(target.text, c.expectedText);
        EXPECT_EQ(clipboard.contents, c.expectedClipboard);
        EXPECT_FALSE(anyMark(state));
    }
}

TEST(EditCommands, LengthsCountTextBoxCharactersAndFitSixteenBits) {
    EXPECT_EQ(editLength("abc"), 3);
    EXPECT_EQ(editLength("\xC2\xB5H"), 2);         // µH
    EXPECT_EQ(editLength("\xF0\x9F\x98\x80"), 2);  // outside the BMP: two UTF-16 units
    FrameState state;
    FakeClipboard clipboard(std::string(40000, 'x'));
    FakeTarget target;
    pasteButt_Click(state, target, clipboard);
    EXPECT_EQ(target.text.size(), 40000u);  // inserted, then the length did not fit
    EXPECT_FALSE(state.PasteDone);
}
