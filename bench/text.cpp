// Costs of the value and text commands game code calls every frame: printing a number, joining
// a counter to its label, drawing a random number, and sweeping a dimensioned array.
#include <benchmark/benchmark.h>

#include "text/TextCommands.h"

namespace {

void NumberToTextOfMixedValues(benchmark::State& state) {
    const double values[] = {3, -2, 1234.5, 0.1, 0.05, 12345678901.0, 1.0 / 3.0, 1e-300};
    size_t index = 0;
    for (auto _ : state) {
        RtString text = NumberToText(values[index++ & 7]);
        benchmark::DoNotOptimize(text.CText());
    }
}
BENCHMARK(NumberToTextOfMixedValues);

void JoinTextAndNumber(benchmark::State& state) {
    const RtString label("Crabs: ");
    double crabs = 0;
    for (auto _ : state) {
        RtString line = label + crabs;
        benchmark::DoNotOptimize(line.CText());
        crabs += 1;
    }
}
BENCHMARK(JoinTextAndNumber);

void JoinTextAndNumberIntoResult(benchmark::State& state) {
    const RtString label("Crabs: ");
    RtString line;
    double crabs = 0;
    for (auto _ : state) {
        JoinText(line, label, crabs);
        benchmark::DoNotOptimize(line.CText());
        crabs += 1;
    }
}
BENCHMARK(JoinTextAndNumberIntoResult);

void RandomNumber(benchmark::State& state) {
    SeedRandom(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(Random(100));
}
BENCHMARK(RandomNumber);

void DimArrayAndCheckedSweep(benchmark::State& state) {
    NumArray crabs;
    for (auto _ : state) {
        DimArray(crabs, 2500, 4, 0, 0);
        for (int field = 0; field < 4; ++field)
            for (int crab = 0; crab < 2500; ++crab)
                crabs(crab, field) += crab;
        benchmark::DoNotOptimize(crabs(2499, 3));
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(DimArrayAndCheckedSweep);

} // namespace

BENCHMARK_MAIN();
