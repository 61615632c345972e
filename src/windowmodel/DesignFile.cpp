#include "windowmodel/DesignFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include <iterator>

#include "windowmodel/ChokeControls.h"
#include "windowmodel/TextDecoding.h"

namespace coilsmith {

namespace {

// A text box holds one line; a line break pasted into one would shift every later line.
std::string oneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

// Splits at LF, CR LF or a lone CR. A line end after the last line does not start another.
std::vector<std::string> splitLines(std::string_view text, std::size_t wanted) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size() && lines.size() < wanted) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Characters, not bytes: a UTF-8 continuation byte adds to the character before it.
std::size_t longestLineCharacters(std::string_view text) {
    std::size_t longest = 0;
    std::size_t current = 0;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            current = 0;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            longest = std::max(longest, ++current);
        }
    }
    return longest;
}

DesignFileError notADesignFile(const std::string& fileName) {
    return DesignFileError{fileName + " is not a Coilsmith design file"};
}

}  // namespace

std::string writeDesignFile(const ChokeModel& model) {
    std::string out;
    for (const Control& c : model.controls()) {
        if (c.kind == ControlKind::OptionButton) {
            out += c.value ? "True" : "False";
        } else {
            out += oneLine(c.text);
        }
        out += "\r\n";
    }
    return out;
}

std::variant<DesignFileLines, DesignFileError> parseDesignFile(std::string_view bytes,
                                                               const std::string& fileName) {
    if (bytes.size() > kDesignFileMaxBytes || bytes.find('\0') != std::string_view::npos) {
        return notADesignFile(fileName);
    }
    const std::string text = decodeDesignText(bytes);
    if (longestLineCharacters(text) > kDesignFileMaxLineCharacters) {
        return notADesignFile(fileName);
    }
    std::vector<std::string> lines = splitLines(text, kDesignFileLines);
    if (lines.size() < static_cast<std::size_t>(kDesignFileLines)) {
        return DesignFileError{fileName + " is not a complete design file: it has " +
                               std::to_string(lines.size()) + " of " +
                               std::to_string(kDesignFileLines) + " lines."};
    }
    return DesignFileLines{std::move(lines)};
}

std::variant<DesignFileLines, DesignFileError> readDesignFile(const std::string& path) {
    const auto cannotRead = [&path](int error) {
        return DesignFileError{"Cannot read the design file " + path, std::strerror(error)};
    };
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return cannotRead(errno);
    }
    if (S_ISDIR(status.st_mode)) {
        return DesignFileError{path + " is a folder"};
    }
    if (!S_ISREG(status.st_mode)) {
        return notADesignFile(path);
    }
    // Not blocking: should the path have become a pipe since, opening it must not wait.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        return cannotRead(errno);
    }
    std::string bytes(kDesignFileMaxBytes + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return cannotRead(error);
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    ::close(fd);
    bytes.resize(filled);
    return parseDesignFile(bytes, path);
}

bool designFileFlag(std::string_view line, const NumberLocale& locale) {
    const std::string word = lowered(trimmed(line));
    if (word == "true") {
        return true;
    }
    if (word == "false") {
        return false;
    }
    const auto number = parseNumber(line, locale);
    return number.has_value() && *number != 0.0;
}

std::optional<std::string> foreignDecimalPoint(const DesignFileLines& file,
                                               const NumberLocale& locale) {
    static constexpr std::string_view kTypedNumbers[] = {"Ldes", "FD", "DCC", "ACC", "Freq"};
    const std::string other = locale.decimalPoint == "." ? "," : ".";
    const NumberLocale otherLocale{other, other == "." ? "," : "."};
    static const std::vector<Control> controls = makeDesignControls();
    for (std::size_t i = 0; i < controls.size() && i < file.lines.size(); ++i) {
        const std::string_view name = controls[i].name;
        const std::string& text = file.lines[i];
        if (std::find(std::begin(kTypedNumbers), std::end(kTypedNumbers), name) !=
                std::end(kTypedNumbers) &&
            !parseNumber(text, locale) && parseNumber(text, otherLocale)) {
            return other;
        }
    }
    return std::nullopt;
}

void loadDesignFile(ChokeModel& model, const DesignFileLines& file) {
    if (file.lines.size() < static_cast<std::size_t>(kDesignFileLines)) {
        return;
    }
    model.setEnabled("Core", true);
    model.setEnabled("CoreMat", true);

    std::string coreText;
    std::string materialText;
    bool eCore = false;
    bool toroid = false;
    // Copy the names first: setting a list text runs handlers that change the controls.
    std::vector<std::pair<std::string, ControlKind>> order;
    for (const Control& c : model.controls()) {
        order.emplace_back(c.name, c.kind);
    }
    for (std::size_t i = 0; i < order.size() && i < file.lines.size(); ++i) {
        const auto& [name, kind] = order[i];
        const std::string& line = file.lines[i];
        if (name == "CoreMat") {
            materialText = line;
        } else if (name == "Core") {
            coreText = line;
        } else if (name == "ECore") {
            eCore = designFileFlag(line, model.locale());
        } else if (name == "Toroid") {
            toroid = designFileFlag(line, model.locale());
        } else if (kind == ControlKind::ComboBox) {
            model.setListText(name, line);
        } else {
            model.setTextRaw(name, line);
        }
    }

    model.setPageAvailable(kCorePage, true);
    model.setPageAvailable(kResultsPage, true);
    model.selectPage(kSpecPage);
    model.calculateAreaProduct();
    model.setOption("ECore", eCore);
    model.setOption("Toroid", toroid);
    model.chooseDesignCore(coreText, materialText);
}

}  // namespace coilsmith
