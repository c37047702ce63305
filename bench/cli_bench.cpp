// kelvora-cli's two large jobs: a saturation table of 10 000 lines and a batch of 10 000
// single-phase states, each once through the lookups alone and once as the whole command
// (argument handling, lookups and csv output to a discarding stream).
#include <benchmark/benchmark.h>

#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/output.h"
#include "lookup/lookup.h"

namespace {

constexpr int lines = 10000;

// 0.01 °C to 372.9727 °C in steps of 0.0373 K: 10 000 saturation temperatures.
constexpr double sat_from = 0.01;
constexpr double sat_step = 0.0373;
const char* const sat_to = "372.98";

// The default columns of a saturation table: T, p, then v, h, s of liquid and vapour.
constexpr int sat_shared_codes[] = {0, 1};
constexpr int sat_phase_codes[] = {2, 8, 6};
// The default columns of a batch: T, p, x, v, h, s, cp.
constexpr int batch_codes[] = {0, 1, 25, 2, 8, 6, 11};

class discard_buffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct tp_state {
  double T, p;
};

// Uniform in 1-800 °C and 0.1-1000 bar; a state exactly on the saturation line has measure
// zero, so every state is single-phase.
std::vector<tp_state> random_states() {
  std::mt19937 generator(20261206);
  std::uniform_real_distribution<double> T(1.0, 800.0);
  std::uniform_real_distribution<double> p(0.1, 1000.0);
  std::vector<tp_state> states(lines);
  for (auto& s : states) s = {T(generator), p(generator)};
  return states;
}

void sat_table_lookups(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0.0;
    for (int i = 0; i < lines; ++i) {
      const double t = sat_from + sat_step * i;
      double value = 0.0;
      for (const int code : sat_shared_codes) {
        Vantrel::lookup_tsat(t, 0.0, code, 0, &value);
        sum += value;
      }
      for (const int code : sat_phase_codes) {
        for (const double x : {0.0, 1.0}) {
          Vantrel::lookup_tsat(t, x, code, 0, &value);
          sum += value;
        }
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(sat_table_lookups)->Unit(benchmark::kMillisecond)->Iterations(3);

void sat_table_command(benchmark::State& state) {
  discard_buffer buffer;
  std::ostream out(&buffer);
  std::ostringstream err;
  std::istringstream in;
  const std::vector<std::string> args{"table",
                                      "sat-T",
                                      Vantrel::cli::number_text(sat_from),
                                      sat_to,
                                      Vantrel::cli::number_text(sat_step),
                                      "--format",
                                      "csv"};
  for (auto _ : state) {
    if (Vantrel::cli::run(args, in, out, err) != 0) state.SkipWithError("table failed");
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(sat_table_command)->Unit(benchmark::kMillisecond)->Iterations(3);

void batch_lookups(benchmark::State& state) {
  const auto states = random_states();
  for (auto _ : state) {
    double sum = 0.0;
    for (const auto& s : states) {
      double value = 0.0;
      for (const int code : batch_codes) {
        Vantrel::lookup_property(s.T, s.p, 0, code, 0, &value);
        sum += value;
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(batch_lookups)->Unit(benchmark::kMillisecond)->Iterations(3);

void batch_command(benchmark::State& state) {
  std::string input;
  for (const auto& s : random_states()) {
    input += "T-p," + Vantrel::cli::number_text(s.T) + "," + Vantrel::cli::number_text(s.p) + "\n";
  }
  discard_buffer buffer;
  std::ostream out(&buffer);
  std::ostringstream err;
  const std::vector<std::string> args{"batch", "--format", "csv"};
  for (auto _ : state) {
    std::istringstream in(input);
    if (Vantrel::cli::run(args, in, out, err) != 0) state.SkipWithError("batch failed");
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(batch_command)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
