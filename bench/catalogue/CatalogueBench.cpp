#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "CsxBuilder.h"
#include "catalogue/Catalogue.h"

namespace coilsmith {
namespace {

// The shipped catalogue, opened as the design window opens it.
void OpenShipped(benchmark::State& state, bool cached) {
    CatalogueSources warm;
    warm.open(COILSMITH_BIN_DIR);
    for (auto _ : state) {
        if (!cached) {
            clearCatalogueCache();
        }
        CatalogueSources sources;
        sources.open(COILSMITH_BIN_DIR);
        benchmark::DoNotOptimize(sources);
    }
}
BENCHMARK_CAPTURE(OpenShipped, uncached, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenShipped, cached, true)->Unit(benchmark::kMicrosecond);

constexpr int kRows = 100'000;

// A catalogue of 100,000 E-cores with one link row each, built once per run.
class LargeCatalogue {
  public:
    LargeCatalogue() {
        path_ = (std::filesystem::temp_directory_path() /
                 ("coilsmith-bench-" + std::to_string(std::random_device{}()) + ".csx"))
                    .string();
        std::string cores = "CoreNo,AC,VC,LC,WC,a_dim,b_dim,c_dim,d_dim,f_dim,g_dim,GAP\n";
        std::string links = "Core,Mat\n";
        for (int i = 0; i < kRows; ++i) {
            std::string core = "E";
            core += std::to_string(i);
            cores += core + ",0.1,0.3,2.0,0.2,0.4,0.3,0.1,0.2,0.1,0.2,0\n";
            links += core + (i % 2 ? ",-2\n" : ",-26\n");
        }
        csx::buildCatalogue({{"E-Cores", cores},
                             {"Core_Materials", links},
                             {"Materials", "MatNo,Permeab\n-2,10\n-26,75\n"}},
                            path_, {.validate = false});
    }
    ~LargeCatalogue() { std::filesystem::remove(path_); }
    LargeCatalogue(const LargeCatalogue&) = delete;
    LargeCatalogue& operator=(const LargeCatalogue&) = delete;

    const std::string& path() const noexcept { return path_; }

  private:
    std::string path_;
};

const LargeCatalogue& large() {
    static const LargeCatalogue catalogue;
    return catalogue;
}

// The core-list walk: Refresh, MoveLast, MoveFirst, then every row's "CoreNo".
void RefreshAndWalk(benchmark::State& state, const char* table, bool cached) {
    DataSource source(table);
    source.setDatabaseName(large().path());
    source.refresh();
    for (auto _ : state) {
        if (!cached) {
            clearCatalogueCache();
        }
        source.refresh();
        Recordset& records = source.recordset();
        records.goToLast();
        records.goToFirst();
        const std::int64_t n = records.recordCount();
        for (std::int64_t i = 0; i < n; ++i) {
            benchmark::DoNotOptimize(records.field(table[0] == 'E' ? "CoreNo" : "Core"));
            records.goToNext();
        }
    }
}
BENCHMARK_CAPTURE(RefreshAndWalk, ecores_cached, "E-Cores", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefreshAndWalk, ecores_uncached, "E-Cores", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefreshAndWalk, links_uncached, "Core_Materials", false)
    ->Unit(benchmark::kMillisecond);

// A seek on a named index after Refresh, as the material listing does it.
void SeekAfterRefresh(benchmark::State& state, const char* table, const char* index) {
    DataSource source(table);
    source.setDatabaseName(large().path());
    source.refresh();
    source.recordset().setIndex(index);
    std::mt19937 random(42);
    std::uniform_int_distribution<int> pick(0, kRows - 1);
    for (auto _ : state) {
        std::string text = "e";  // differs in case from the stored keys
        text += std::to_string(pick(random));
        const Value key(std::move(text));
        source.recordset().findByIndex("=", key);
        benchmark::DoNotOptimize(source.recordset().lastFindFailed());
    }
}
BENCHMARK_CAPTURE(SeekAfterRefresh, ecores, "E-Cores", "PrimaryKey")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SeekAfterRefresh, links, "Core_Materials", "CoreNo")
    ->Unit(benchmark::kMicrosecond);

// What the core adviser pays per candidate: a copy of a record set.
void CopyRecordset(benchmark::State& state) {
    CatalogueSources sources;
    sources.open(COILSMITH_BIN_DIR);
    for (auto _ : state) {
        CatalogueSources copy = sources;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(CopyRecordset)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace coilsmith

BENCHMARK_MAIN();
