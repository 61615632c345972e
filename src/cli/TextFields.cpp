#include "cli/TextFields.h"

#include <array>
#include <charconv>

namespace coilsmith::cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// The length of the UTF-8 sequence at the start of `text` (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when it is not one.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

// C0 controls, DEL and the C1 controls U+0080 to U+009F.
bool isControl(std::string_view character) {
    const auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1) {
        return lead < 0x20 || lead == 0x7F;
    }
    return lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

template <class KeepCharacter>
std::string replaced(std::string_view text, KeepCharacter keep) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t length = sequenceLength(text);
        const std::string_view character = text.substr(0, length == 0 ? 1 : length);
        out += length != 0 && keep(character) ? character : kReplacement;
        text.remove_prefix(character.size());
    }
    return out;
}

}  // namespace

std::string shortestNumber(double value) {
    std::array<char, 32> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return error == std::errc() ? std::string(buffer.data(), end) : std::string("0");
}

double singlePrecisionValue(float value) {
    std::array<char, 32> buffer{};
    const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    double decimal = value;
    if (written.ec == std::errc()) {
        std::from_chars(buffer.data(), written.ptr, decimal);
    }
    return decimal;
}

std::string validUtf8(std::string_view text) {
    return replaced(text, [](std::string_view) { return true; });
}

std::string tableCell(std::string_view text) {
    return replaced(text, [](std::string_view character) { return !isControl(character); });
}

std::size_t displayWidth(std::string_view utf8) {
    std::size_t characters = 0;
    for (const char byte : utf8) {
        // Every character has exactly one byte that is not a continuation byte.
        characters += (static_cast<unsigned char>(byte) & 0xC0) != 0x80 ? 1 : 0;
    }
    return characters;
}

std::string csvField(std::string_view text) {
    const std::string valid = validUtf8(text);
    if (valid.find_first_of(",\"\r\n") == std::string::npos) {
        return valid;
    }
    std::string out = "\"";
    for (const char character : valid) {
        out += character;
        if (character == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

}  // namespace coilsmith::cli
