// Varies cells of the shipped catalogue: each input names up to four cells (table, row,
// field) and what each becomes, one of the damaged texts of the seeded test or any text
// of the input. The damaged catalogue is built without the build tool's checks and ranked
// as the core adviser ranks it, with the design check of every completed design. A crash,
// a figure that is not finite, or a completed design on a row the reader marks as making
// no physical sense stops the run.
#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "DamagedCatalogue.h"

namespace {

using namespace coilsmith::test;

const CsvSet& shippedSet() {
    static const CsvSet set = readCsvSet(CATALOGUE_CSV_DIR);
    return set;
}

// One catalogue file rebuilt for every input, removed when the fuzzer exits (registered
// after the path is made, so it runs while the path still exists).
const std::string& scratchCatalogue() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("coilsmith-fuzz-" + std::to_string(::getpid()) + ".csx"))
                                        .string();
    [[maybe_unused]] static const int removal = std::atexit([] { std::remove(path.c_str()); });
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const CsvSet& full = shippedSet();
    std::vector<CellDamage> damage;
    const int cells = input.ConsumeIntegralInRange(1, 4);
    for (int i = 0; i < cells && input.remaining_bytes() > 0; ++i) {
        const std::string table = kDamageableTables[input.ConsumeIntegralInRange<std::size_t>(
            0, std::size(kDamageableTables) - 1)];
        const CsvRows& rows = full.at(table);
        const auto row = input.ConsumeIntegralInRange<std::size_t>(1, rows.size() - 1);
        const auto column = input.ConsumeIntegralInRange<std::size_t>(0, rows.front().size() - 1);
        const auto kind = input.ConsumeIntegralInRange<std::size_t>(0, kDamageKinds);
        const std::string text = kind < kDamageKinds ? damagedText(rows[row][column], kind)
                                                     : input.ConsumeRandomLengthString(24);
        damage.push_back({table, row, column, text});
    }
    const std::vector<std::string> faults = rankDamaged(full, damage, scratchCatalogue());
    if (!faults.empty()) {
        std::fprintf(stderr, "%s\n", faults.front().c_str());
        __builtin_trap();
    }
    return 0;
}
