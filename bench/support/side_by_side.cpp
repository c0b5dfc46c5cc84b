#include "bench/support/side_by_side.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace bench {

std::string SharedCorpus() {
  const char* shared = std::getenv("LUMO_SHARED_DIR");
  const std::string folder = std::string(shared ? shared : LUMO_ROOT_DIR "/../shared") + "/corpus/dzu";
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) ? folder : std::string();
}

double Timings::median(const std::string& name) const {
  const auto found = runs_.find(name);
  if (found == runs_.end() || found->second.empty()) return 0;
  std::vector<double> v = found->second;
  std::nth_element(v.begin(), v.begin() + ptrdiff_t(v.size() / 2), v.end());
  return v[v.size() / 2];
}

void Report(std::string_view program, std::string_view measure, double ours, double reference,
            std::string_view reference_name, std::string_view unit) {
  const char* table = std::getenv("LUMO_BENCH_TABLE");
  if (!table || !*table) return;
  FILE* f = std::fopen(table, "a");
  if (!f) return;
  std::fprintf(f, "%.*s\t%.*s\t%.3f\t%.3f\t%.*s\t%.*s\n", int(program.size()), program.data(), int(measure.size()),
               measure.data(), ours, reference, int(reference_name.size()), reference_name.data(), int(unit.size()),
               unit.data());
  std::fclose(f);
}

}  // namespace bench
