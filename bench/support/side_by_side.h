// What the side-by-side benchmarks share: the shared corpus's folder, medians of timed runs, and the
// table of every figure that scripts/run-benchmarks.sh prints after the last program.
#pragma once

#include <chrono>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bench {

// The folder of real acts (LUMO_SHARED_DIR, else ../shared beside the source tree), empty when absent.
std::string SharedCorpus();

// Durations of repeated runs by name.
class Timings {
 public:
  void add(const std::string& name, std::chrono::steady_clock::duration d) {
    runs_[name].push_back(std::chrono::duration<double>(d).count());
  }
  // Seconds; 0 when nothing ran under the name.
  double median(const std::string& name) const;
  bool empty() const { return runs_.empty(); }

 private:
  std::map<std::string, std::vector<double>> runs_;
};

// Adds one line to the summary table (the file named by LUMO_BENCH_TABLE; nothing without it): a
// measure of `program`, our figure beside the reference's in the same unit, lower is better.
void Report(std::string_view program, std::string_view measure, double ours, double reference,
            std::string_view reference_name, std::string_view unit = "us");

}  // namespace bench
