// The core adviser on the shipped catalogue and on a synthetic one of 100,000 cores with
// three materials each (300,000 designs).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "CsxBuilder.h"
#include "adviser/AdviserEngine.h"
#include "platform/Prompter.h"
#include "windowmodel/ChokeModel.h"
#include "windowmodel/SizedSpecificationOf.h"

namespace {

using namespace coilsmith;

class QuietPrompter final : public Prompter {
  public:
    void message(const std::string&) override {}
    bool askYesNo(const std::string&) override { return false; }
};

ChokeModel specifiedWindow(const std::string& catalogue, Prompter& prompter) {
    ChokeModel window({"/opt/coilsmith", catalogue, {}}, prompter);
    window
        .calculateAreaProduct();  // the window's default specification: 25 uH, 25 A, 5 A at 50 kHz
    return window;
}

// Cores scaled from a handful of real outlines; materials from the shipped catalogue, one
// of them with the polynomial AC permeability fit.
std::string syntheticCatalogue(int eCores, int toroids) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("coilsmith-adviser-bench-" + std::to_string(::getpid()) + ".csx"))
                                 .string();
    std::string e = "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n";
    std::string t = "CoreNo,AC,VC,LC,OD,ID,HT\n";
    std::string eLinks = "Core,Mat\n", tLinks = "Core,Mat\n";
    const char* materials[] = {"-26", "-40", "-52"};
    for (int i = 0; i < eCores; ++i) {
        const double s = 0.8 + 2.4 * (i % 1000) / 1000.0;
        const std::string name = "E" + std::to_string(100000 + i);
        e += name + "," + std::to_string(0.9146 * s * s) + "," + std::to_string(6.435 * s * s * s) +
             "," + std::to_string(7.035 * s) + "," + std::to_string(1.368 * s * s) + "," +
             std::to_string(1.255 * s) + "," + std::to_string(1.214 * s) + "," +
             std::to_string(0.378 * s) + "," + std::to_string(0.885 * s) + "," +
             std::to_string(0.378 * s) + "," + std::to_string(0.8362 * s) + ",0\n";
        for (const char* m : materials) {
            eLinks += name + "," + m + "\n";
        }
    }
    for (int i = 0; i < toroids; ++i) {
        const double s = 0.8 + 2.4 * (i % 1000) / 1000.0;
        const std::string name = "T" + std::to_string(100000 + i);
        t += name + "," + std::to_string(0.658 * s * s) + "," + std::to_string(10.1 * s * s * s) +
             "," + std::to_string(15.3 * s) + "," + std::to_string(2.0 * s) + "," +
             std::to_string(1.25 * s) + "," + std::to_string(0.55 * s) + "\n";
        for (const char* m : materials) {
            tLinks += name + "," + m + "\n";
        }
    }
    csx::CsvTables tables;
    tables["E-Cores"] = e;
    tables["Toroids"] = t;
    tables["Core_Materials"] = eLinks;
    tables["Toroid_Materials"] = tLinks;
    tables["Materials"] =
        "MatNo,Permeab,Density,ah,bh,ch,dh,eh,ab,bb,cb,db,eb,al,bl,cl,dl,Cost\n"
        "-26,75,7.0,10000.0,0.0,-44.3063,0.000759676,0.059926,9970.41,0.241911,2490.06,"
        "6.53493e-05,10.6149,1000000000.0,110000000.0,1900000.0,1.9e-13,1.0\n"
        "-40,60,7.0,10000.0,0.0,-44.3063,0.000759676,0.059926,9970.41,0.241911,2490.06,"
        "6.53493e-05,10.6149,1000000000.0,110000000.0,1900000.0,1.9e-13,1.0\n"
        "-52,75,7.0,10000.0,0.0,-44.3063,0.000759676,0.059926,9970.41,0.241911,2490.06,"
        "6.53493e-05,10.6149,1000000000.0,110000000.0,1900000.0,1.9e-13,1.2\n";
    csx::buildCatalogue(tables, path);
    return path;
}

void rank(benchmark::State& state, const std::string& catalogue, bool checkedOnly = false) {
    QuietPrompter prompter;
    const auto specification = sizedSpecificationOf(specifiedWindow(catalogue, prompter));
    adviser::AdviserOptions options;
    options.threads = static_cast<unsigned>(state.range(0));
    options.checkedOnly = checkedOnly;
    std::size_t candidates = 0;
    for (auto _ : state) {
        const adviser::Ranking ranking = adviser::rankCores(specification, catalogue, options);
        candidates = ranking.candidates.size();
        benchmark::DoNotOptimize(ranking.feasibleCount);
    }
    state.counters["candidates"] = static_cast<double>(candidates);
}

void BM_RankShippedCatalogue(benchmark::State& state) {
    rank(state, COILSMITH_SHIPPED_CATALOGUE);
}
BENCHMARK(BM_RankShippedCatalogue)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// "rank --checked": every candidate checked, only the passing ones kept.
void BM_RankShippedCatalogueChecked(benchmark::State& state) {
    rank(state, COILSMITH_SHIPPED_CATALOGUE, true);
}
BENCHMARK(BM_RankShippedCatalogueChecked)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_RankSynthetic100k(benchmark::State& state) {
    static const std::string catalogue = syntheticCatalogue(50000, 50000);
    rank(state, catalogue);
}
BENCHMARK(BM_RankSynthetic100k)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(1)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
