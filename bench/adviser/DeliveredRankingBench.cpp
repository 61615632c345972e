// The delivered ranking on the shipped catalogue: 190 core and material pairs on 1, 2 and 3
// cores, 570 delivered designs per ranking.
#include <benchmark/benchmark.h>

#include <cmath>

#include "adviser/DeliveredRanking.h"
#include "catalogue/Records.h"

namespace {

using namespace coilsmith;

const catalogue::CatalogueRecords& shipped() {
    static const catalogue::CatalogueRecords records =
        catalogue::CatalogueRecords::load(COILSMITH_SHIPPED_CATALOGUE);
    return records;
}

// J 400 A/cm², Ku 0.4, 25 °C, stacks 1 to 3.
adviser::DeliveredRankingRequest request(double l, double idc, double ripple, double f) {
    adviser::DeliveredRankingRequest r;
    const double rippleRms = ripple / 2 / std::sqrt(3.0);
    r.specification = {l, idc, ripple, std::sqrt(idc * idc + rippleRms * rippleRms), f, 400e4, 0.4};
    return r;
}

void rank(benchmark::State& state, const adviser::DeliveredRankingRequest& r) {
    const catalogue::CatalogueRecords& records = shipped();
    std::size_t candidates = 0, feasible = 0;
    for (auto _ : state) {
        const adviser::DeliveredRanking ranking =
            adviser::rankDelivered(records, r, adviser::RankKey::Weight);
        candidates = ranking.candidates.size();
        feasible = ranking.feasibleCount;
        benchmark::DoNotOptimize(ranking);
    }
    state.counters["candidates"] = static_cast<double>(candidates);
    state.counters["feasible"] = static_cast<double>(feasible);
}

void BM_RankDelivered100uH5A100kHz(benchmark::State& state) {
    rank(state, request(100e-6, 5, 1, 100e3));
}
BENCHMARK(BM_RankDelivered100uH5A100kHz)->Unit(benchmark::kMillisecond);

void BM_RankDelivered5mH10A60Hz(benchmark::State& state) {
    rank(state, request(5e-3, 10, 2, 60));
}
BENCHMARK(BM_RankDelivered5mH10A60Hz)->Unit(benchmark::kMillisecond);

// Reading the catalogue's records (the tables come from the process's cache after the
// first read, as for every later ranking of a session).
void BM_LoadCatalogueRecords(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(catalogue::CatalogueRecords::load(COILSMITH_SHIPPED_CATALOGUE));
}
BENCHMARK(BM_LoadCatalogueRecords)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
