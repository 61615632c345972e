#include <benchmark/benchmark.h>

#include <cmath>
#include <stdexcept>

#include "WorkedExample.h"
#include "method/DesignComputation.h"
#include "method/Sizing.h"

namespace coilsmith {
namespace {

using examples::workedExample;

// The window's starting specification (25 uH, 25 A, 5 A ripple at 50 kHz) on a toroid of
// OD 1.06", ID 0.57", HT 0.437" in material -26.
DesignState toroidDesign() {
    DesignState s = examples::freshWindow();
    sizeAreaProduct(s, {"25", "0.5", "25", "5", "50"});
    const double od = 1.06, id = 0.57, ht = 0.437;
    const double areaScale = std::pow(2.54, 2) * kPi;
    s.OD = od;
    s.ID = id;
    s.HT = ht;
    s.Ac = 0.683;
    s.Vc = 4.4;
    s.Lc = 6.49;
    s.Wa = static_cast<double>(static_cast<float>(areaScale * id * id / 4));
    s.Gap = 0;
    s.MLT = 2.54 * ((od - id) + 2 * ht) * static_cast<double>(1.1f);
    s.SurfArea = areaScale * ((od * od - id * id) / 2 + (od + id) * ht);
    s.MatNo = "-26";
    s.MuInit = 75.0f;
    s.Density = 7.0;
    s.ah = 10000.0;
    s.bh = 0.0;
    s.ch = -44.3063;
    s.dh = 0.000759676;
    s.eh = 0.059926;
    s.ab = 9970.41;
    s.bb = 0.241911;
    s.cb = 2490.06;
    s.db = 6.53493e-05;
    s.eb = 10.6149f;
    s.al = 1e9;
    s.bl = 1.1e8;
    s.cl = 1.9e6;
    s.dl = 1.9e-13f;
    return s;
}

DesignSelection selection() {
    DesignSelection sel;
    sel.materialText = "-26";
    sel.materialIndex = 0;
    sel.inductanceText = "25";
    sel.inductanceUnitText = "uH";
    sel.coreText = "T106";
    sel.cost = Value(1.0);
    return sel;
}

void runOne(benchmark::State& bench, const DesignState& start) {
    const DesignSelection sel = selection();
    DesignState probe = start;
    const DesignOutcome check = computeDesign(probe, sel);
    if (!check.completed())
        throw std::runtime_error(*check.message);
    bench.counters["turns"] = check.numbers.turns;
    bench.counters["iterations"] = check.numbers.iterations;
    for (auto _ : bench) {
        DesignState s = start;
        benchmark::DoNotOptimize(computeDesign(s, sel));
    }
}

void BM_WorkedExample(benchmark::State& bench) {
    runOne(bench, workedExample());
}
BENCHMARK(BM_WorkedExample);

void BM_ToroidDesign(benchmark::State& bench) {
    runOne(bench, toroidDesign());
}
BENCHMARK(BM_ToroidDesign);

// 10,000 toroid designs from 5 uH to 105 uH.
void BM_SweepOfTenThousand(benchmark::State& bench) {
    const DesignState start = toroidDesign();
    const DesignSelection sel = selection();
    for (auto _ : bench) {
        int completed = 0;
        for (int i = 0; i < 10000; ++i) {
            DesignState s = start;
            s.Lreq = 5e-6 + i * 1e-8;
            completed += computeDesign(s, sel).completed() ? 1 : 0;
        }
        benchmark::DoNotOptimize(completed);
        bench.counters["completed"] = completed;
    }
}
BENCHMARK(BM_SweepOfTenThousand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace coilsmith
