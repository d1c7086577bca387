// SPDX-License-Identifier: GPL-3.0-or-later
#include "rotation/rotation.h"

#include <benchmark/benchmark.h>

namespace {

// One computation as the window runs it: the list emptied, then the whole report built.
void buildRotations(benchmark::State& state, const char* input)
{
    rotation::Analysis analysis;
    analysis.InputText = input;
    for (auto _ : state) {
        analysis.List1.Clear();
        analysis.BuildRotations();
        benchmark::DoNotOptimize(analysis.RotationReport.data());
    }
}
BENCHMARK_CAPTURE(buildRotations, 12345, "12345");
BENCHMARK_CAPTURE(buildRotations, 8186, "8186");
BENCHMARK_CAPTURE(buildRotations, 2e9_31digits, "2e9");

void readNumber(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(rotation::ReadNumber("12345"));
}
BENCHMARK(readNumber);

} // namespace

BENCHMARK_MAIN();
