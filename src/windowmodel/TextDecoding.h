#pragma once

#include <string>
#include <string_view>

namespace coilsmith {

// Design files written by older programs are in the Windows code page, newer ones in
// UTF-8. Returns the text as UTF-8: valid UTF-8 unchanged (less a leading byte-order mark),
// anything else read as Windows-1252.
std::string decodeDesignText(std::string_view bytes);

bool isValidUtf8(std::string_view bytes) noexcept;
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace coilsmith
