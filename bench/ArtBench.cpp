// Drawing the skin and the button picture for a display scale: what a start or a move to another
// monitor spends on art.
#include "Artwork.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ArtForDpi(benchmark::State& state) {
    const int dpi = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(quillon::art::SkinForDpi(dpi));
        benchmark::DoNotOptimize(quillon::art::ButtonPictureForDpi(dpi));
    }
}
BENCHMARK(BM_ArtForDpi)
    ->Arg(96)
    ->Arg(120)
    ->Arg(144)
    ->Arg(192)
    ->Arg(288)
    ->Unit(benchmark::kMillisecond);

} // namespace
