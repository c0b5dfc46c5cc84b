// What the side-by-side benchmarks share: the shared corpus's folder and medians of timed runs (the
// table of every side-by-side figure comes from bench/pairs.tsv, see scripts/run-benchmarks.sh).
#pragma once

#include <chrono>
#include <map>
#include <string>
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

}  // namespace bench
