#include <benchmark/benchmark.h>

#include <cmath>

#include "check/DesignCheck.h"

namespace coilsmith {
namespace {

// A typical completed design: 100 uH, 5 A DC, 1 A ripple at 100 kHz on a T106 toroid in
// -8, 49 turns of AWG 16 (what the core adviser ranks first for that specification).
DesignCheckInput typicalDesign() {
    DesignCheckInput in;
    in.requiredInductanceH = 100e-6;
    in.idcA = 5;
    in.iacPeakToPeakA = 1;
    in.irmsA = std::sqrt(25 + 1.0 / 12);
    in.frequencyHz = 100e3;
    in.turns = 49;
    in.awg = 16;
    in.shape = CoreShape::Toroid;
    in.outline.od = 1.06;
    in.outline.id = 0.57;
    in.outline.ht = 0.437;
    in.acCm2 = 0.6417;
    in.lcCm = 6.503;
    in.windowAreaCm2 = 1.6462926;
    in.surfaceAreaCm2 = 22.531457;
    in.material = "-8";
    in.muInitial = 35;
    in.coreLossW = 0.178355;
    in.designTempRiseC = 18.1538;
    in.biasCurve = BiasCurve{0.01, 3.49426e-06, 1.42524};
    in.wire = WireRow{1.2908, 1.3645, 13.1742};
    return in;
}

void BM_CheckTypicalDesign(benchmark::State& bench) {
    const DesignCheckInput in = typicalDesign();
    const DesignCheck probe = checkDesign(in);
    bench.counters["rounds"] = probe.copper.available() ? probe.copper.figures->rounds : 0;
    for (auto _ : bench)
        benchmark::DoNotOptimize(checkDesign(in));
}
BENCHMARK(BM_CheckTypicalDesign)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace coilsmith
