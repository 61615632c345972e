#include "extras/SystemInfoTool.h"

#include <exception>

namespace coilsmith {

namespace {

// Upper-case hexadecimal without leading zeros ("0" for zero).
std::string hex(unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[value % 16]);
        value /= 16;
    } while (value != 0);
    return digits;
}

// The characters the value really holds: a NUL at position `size` ends a text value and
// is not part of it.
std::string keptCharacters(const std::string& data) {
    if (!data.empty() && data.back() == '\0') {
        return data.substr(0, data.size() - 1);
    }
    return data;
}

std::string dwordText(const std::string& kept) {
    std::string digits;
    for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
        digits += hex(static_cast<unsigned char>(*it));
    }
    return "&h" + digits;
}

bool launch(Launcher& launcher, const std::string& program) {
    return !program.empty() && launcher.start(program);
}

bool startFromPathValue(Registry& registry, Launcher& launcher, bool& found) {
    std::string path;
    found =
        readRegistryText(registry, Registry::kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, path);
    return found && launch(launcher, path);
}

bool startFromLocation(Registry& registry, Launcher& launcher) {
    std::string folder;
    if (!readRegistryText(registry, Registry::kHkeyLocalMachine, kSysInfoLocationKey,
                          kSysInfoLocationValue, folder)) {
        return false;
    }
    const std::string program = folder + kSysInfoProgram;
    return launcher.fileExists(program) && launch(launcher, program);
}

}  // namespace

bool readRegistryText(Registry& registry, std::uint32_t KeyRoot, const std::string& KeyName,
                      const std::string& SubKeyRef, std::string& KeyVal) {
    const auto key = registry.openKey(KeyRoot, KeyName, Registry::kKeyRead);
    if (!key) {
        KeyVal.clear();
        return false;
    }
    const auto value = registry.queryValue(*key, SubKeyRef, kRegistryBufferSize);
    if (!value || value->data.size() > kRegistryBufferSize) {
        KeyVal.clear();
        registry.closeKey(*key);
        return false;
    }
    const std::string kept = keptCharacters(value->data);
    if (value->type == Registry::kRegSz) {
        KeyVal = kept;
    } else if (value->type == Registry::kRegDword) {
        KeyVal = dwordText(kept);
    }
    registry.closeKey(*key);
    return true;
}

void startSystemInfoTool(Registry& registry, Launcher& launcher, Prompter& prompter) {
    try {
        bool pathFound = false;
        if (startFromPathValue(registry, launcher, pathFound)) {
            return;
        }
        // A tool named by the first key that would not start is not looked for elsewhere.
        if (!pathFound && startFromLocation(registry, launcher)) {
            return;
        }
    } catch (const std::exception&) {
        // reported below like every other failure
    }
    prompter.message(kSysInfoUnavailable);
}

}  // namespace coilsmith
