// Feeds arbitrary bytes to the design-file reader and, when they make 40 lines, loads them
// into a design window, runs the design and writes it back. Without a catalogue the texts,
// unit handlers and "Calculate AP" still run; with COILSMITH_FUZZ_CATALOGUE naming a
// Cores.csx (build/bin/Cores.csx of the ordinary build) the core lists and the whole
// design computation run too.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>

#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignFile.h"

namespace {

struct SilentPrompter final : coilsmith::Prompter {
    void message(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
};

// The window every input starts from: opening the catalogue once keeps the runs fast, and
// copies share its tables.
const coilsmith::ChokeModel& newWindow() {
    static SilentPrompter prompter;
    static const coilsmith::ChokeModel model = [] {
        const char* catalogue = std::getenv("COILSMITH_FUZZ_CATALOGUE");
        return coilsmith::ChokeModel(
            {"/nonexistent", catalogue != nullptr ? catalogue : "/nonexistent/Cores.csx", {}},
            prompter);
    }();
    return model;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace coilsmith;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto parsed = parseDesignFile(bytes, "fuzz.txt");
    const auto* lines = std::get_if<DesignFileLines>(&parsed);
    if (lines == nullptr) {
        return 0;
    }
    SilentPrompter prompter;
    ChokeModel model = newWindow();
    model.setPrompter(prompter);
    loadDesignFile(model, *lines);
    model.runDesign();
    // Whatever the texts hold, the design written back is 40 lines.
    const std::string written = writeDesignFile(model);
    std::size_t lineEnds = 0;
    for (std::size_t at = written.find("\r\n"); at != std::string::npos;
         at = written.find("\r\n", at + 2)) {
        ++lineEnds;
    }
    if (lineEnds != static_cast<std::size_t>(kDesignFileLines) ||
        written.find_first_of("\r\n") != written.find("\r\n")) {
        __builtin_trap();
    }
    return 0;
}
