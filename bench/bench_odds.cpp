// Speed of a programmed key's odds: all its replays, one part after the other on one core.
#include "programs/odds.h"

#include <benchmark/benchmark.h>

namespace {

void BM_KeyOdds(benchmark::State& state, const char* command)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(tavrol::keyOdds(command).presses());
    state.SetItemsProcessed(state.iterations() * tavrol::kOddsReplays);
}
BENCHMARK_CAPTURE(BM_KeyOdds, 8d6, "8x")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_KeyOdds, 3d6_plus_2, "3x+2=")->Unit(benchmark::kMillisecond);

} // namespace
