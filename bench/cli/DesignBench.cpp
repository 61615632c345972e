// The command-line tool's path in-process: open the catalogue, read a design file, replay
// Open, run the design, write the 40 lines; and its parts.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "cli/DesignCommand.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/DesignFile.h"

namespace {

using namespace coilsmith;

struct SilentPrompter final : Prompter {
    void message(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
};

const std::string kCatalogue = COILSMITH_BIN_DIR "/Cores.csx";

std::string toroidDesign() {
    std::string text = "False\r\nTrue\r\nT184\r\n\r\n\r\n-26\r\n";
    for (int i = 7; i <= 28; ++i) {
        text += "\r\n";
    }
    return text + "T\r\n0.5\r\n0.4\r\n400\r\nkHz\r\n50\r\nA\r\n5\r\nA\r\n25\r\n25\r\nuH\r\n";
}

std::string designFilePath() {
    static const std::string path = [] {
        const auto p = std::filesystem::temp_directory_path() / "coilsmith-bench-design.txt";
        std::ofstream(p, std::ios::binary) << toroidDesign();
        return p.string();
    }();
    return path;
}

void BM_CliDesignPath(benchmark::State& state) {
    SilentPrompter prompter;
    const cli::DesignRequest request{designFilePath(), kCatalogue, "."};
    for (auto _ : state) {
        const cli::DesignRun run = cli::runDesign(request, COILSMITH_BIN_DIR, prompter);
        if (run.exitCode != cli::kExitDone) {
            state.SkipWithError("the design did not complete");
            break;
        }
        benchmark::DoNotOptimize(run.designText.data());
    }
}
BENCHMARK(BM_CliDesignPath)->Unit(benchmark::kMicrosecond);

void BM_OpenCatalogue(benchmark::State& state) {
    SilentPrompter prompter;
    for (auto _ : state) {
        ChokeModel model({COILSMITH_BIN_DIR, kCatalogue, {}}, prompter);
        benchmark::DoNotOptimize(model.catalogueOpen());
    }
}
BENCHMARK(BM_OpenCatalogue)->Unit(benchmark::kMicrosecond);

void BM_LoadAndDesign(benchmark::State& state) {
    SilentPrompter prompter;
    ChokeModel model({COILSMITH_BIN_DIR, kCatalogue, {}}, prompter);
    const auto lines = std::get<DesignFileLines>(parseDesignFile(toroidDesign(), "bench"));
    for (auto _ : state) {
        loadDesignFile(model, lines);
        model.runDesign();
        benchmark::DoNotOptimize(writeDesignFile(model));
    }
}
BENCHMARK(BM_LoadAndDesign)->Unit(benchmark::kMicrosecond);

// The design check as the desktop's ambient box runs it: the completed design checked
// again at another ambient temperature.
void BM_CheckAgainAtAnotherAmbient(benchmark::State& state) {
    SilentPrompter prompter;
    ChokeModel model({COILSMITH_BIN_DIR, kCatalogue, {}}, prompter);
    loadDesignFile(model, std::get<DesignFileLines>(parseDesignFile(toroidDesign(), "bench")));
    model.runDesign();
    if (!model.lastCheck()) {
        state.SkipWithError("the design did not complete");
        return;
    }
    double ambient = 25;
    for (auto _ : state) {
        ambient = ambient == 25 ? 26 : 25;
        model.setAmbientTemperature(ambient);
        benchmark::DoNotOptimize(model.lastCheck()->verdicts.data());
    }
}
BENCHMARK(BM_CheckAgainAtAnotherAmbient)->Unit(benchmark::kMicrosecond);

void BM_ParseDesignFile(benchmark::State& state) {
    const std::string bytes = toroidDesign();
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseDesignFile(bytes, "bench"));
    }
}
BENCHMARK(BM_ParseDesignFile);

}  // namespace

BENCHMARK_MAIN();
