#pragma once

#include <cstdint>
#include <string>

namespace coilsmith {

// What the frame knows about the design it holds, for the whole life of the program.
// It keeps no record of changes: a design is untitled (made by New), from a file (read by
// Open), or there is none (both flags false).
struct FrameState {
    bool IsUntitled = false;
    bool IsFromFile = false;
    std::string UntitledName;
    std::string FileName;
    bool SaveCancelled = false;  // the Save As just run ended in a cancelled dialog
    bool Exiting = false;        // Exit has asked its question already

    // One-step undo of the edit commands: the marks accumulate until Undo clears them.
    bool EditDone = false;
    bool CutDone = false;
    bool CopyDone = false;
    bool PasteDone = false;
    bool DeleteDone = false;
    std::int16_t UndoStart = 0;
    std::int16_t UndoLength = 0;
    std::string DeletedText;

    bool designOpen() const noexcept { return IsUntitled || IsFromFile; }
};

}  // namespace coilsmith
