#include "bench/support/side_by_side.h"

#include <algorithm>
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

}  // namespace bench
