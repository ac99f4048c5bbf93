// The whole calculation, from the card buffer to the three caption texts, for
// the calculator and for the step-by-step reference, on the hands that cost
// the most: ten equal cards (the most findings), ten different cards (the
// most lines) and eight different cards.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "reference_solver.h"
#include "solver/combinations.h"
#include "window/calculation.h"

namespace {

constexpr const char* ten_kings = "K,K,K,K,K,K,K,K,K,K,";
constexpr const char* one_to_ten = "1,2,3,4,5,6,7,8,9,N,";
constexpr const char* one_to_eight = "1,2,3,4,5,6,7,8,";

void product(benchmark::State& state, const char* buffer) {
  const calc::text hand = buffer;
  for (auto _ : state) {
    calc::calculation_captions captions = calc::calculate(hand);
    benchmark::DoNotOptimize(captions);
  }
}

void reference(benchmark::State& state, const char* buffer) {
  const calc::text hand = buffer;
  for (auto _ : state) {
    calc::reference::captions captions = calc::reference::run_calculation(hand);
    benchmark::DoNotOptimize(captions);
  }
}

BENCHMARK_CAPTURE(product, ten_kings, ten_kings)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(reference, ten_kings, ten_kings)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(product, one_to_ten, one_to_ten)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(reference, one_to_ten, one_to_ten)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(product, one_to_eight, one_to_eight)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(reference, one_to_eight, one_to_eight)->Unit(benchmark::kMicrosecond);

// A comparison of speeds is worth nothing if the two disagree.
bool same_captions(const char* buffer) {
  const calc::calculation_captions product = calc::calculate(buffer);
  const calc::reference::captions reference = calc::reference::run_calculation(buffer);
  return product.all_lines == reference.all_lines && product.first_line == reference.first_line &&
         product.version_line == reference.version_line;
}

}  // namespace

int main(int argc, char** argv) {
  calc::combo_slots = calc::make_integer_list(calc::combo_slot_count);
  for (const char* hand : {ten_kings, one_to_ten, one_to_eight}) {
    if (!same_captions(hand)) {
      std::fprintf(stderr, "calculation_bench: the calculator and the reference disagree on %s\n", hand);
      return 1;
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
