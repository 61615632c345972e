#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "windowmodel/ChokeModel.h"

namespace coilsmith {

inline constexpr int kDesignFileLines = 40;

// The 40 lines of a design: each control's text (option buttons as True/False) in the
// window's control order, each ended by CR LF.
std::string writeDesignFile(const ChokeModel& model);

// The lines of a design file, decoded: a UTF-8 byte-order mark skipped, CR LF and LF both
// read, text that is not valid UTF-8 read as Windows-1252, lines beyond the 40th ignored.
struct DesignFileLines {
    std::vector<std::string> lines;  // exactly 40
};
struct DesignFileError {
    std::string message;        // for the user; names the file
    std::string readFailure{};  // when the file could not be read at all: the system's reason
};

// A design file is small text: anything larger, holding a NUL byte or a line longer than
// this many characters is some other kind of file.
inline constexpr std::size_t kDesignFileMaxBytes = 64 * 1024;
inline constexpr std::size_t kDesignFileMaxLineCharacters = 4096;

// Bytes that are no design file ("<name> is not a Coilsmith design file") and a file with
// fewer than 40 lines are rejected, their message naming the file.
std::variant<DesignFileLines, DesignFileError> parseDesignFile(std::string_view bytes,
                                                               const std::string& fileName);

// Reads and parses the file at `path`, reading no more than one byte past the largest
// design file. A folder ("<path> is a folder") and a device or pipe are refused without
// being read; a file that cannot be read is an error naming it.
std::variant<DesignFileLines, DesignFileError> readDesignFile(const std::string& path);

// The True/False of an option-button line: the words True and False in any letter case, a
// number other than zero counts as true; anything else is false.
bool designFileFlag(std::string_view line, const NumberLocale& locale = {});

// The decimal point a design file's typed specification numbers are written with when
// one of them does not read with `locale`'s separators but does with the other of '.' and
// ',' (a file written with '.' read with ','); nullopt otherwise.
std::optional<std::string> foreignDecimalPoint(const DesignFileLines& file,
                                               const NumberLocale& locale);

// Reads a design into the window as Open does: Core and CoreMat enabled, every other
// control's text set (unit selectors and lists run their handlers), the core-type flags
// and the core and material texts remembered; pages 1 and 2 made available, page 0
// selected; calculateAreaProduct; the option buttons; then Core and CoreMat, with a
// message after any other when the catalogue does not offer the design's core or material.
void loadDesignFile(ChokeModel& model, const DesignFileLines& file);

}  // namespace coilsmith
