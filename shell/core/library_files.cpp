#include "shell/core/library_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace shell {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return text;
}

}  // namespace

bool IsTitleFileName(const std::string& entry, const std::string& name) {
  std::string e = Lower(entry);
  if (e.size() > 2 && e.compare(e.size() - 2, 2, ";1") == 0) e.resize(e.size() - 2);
  const std::string n = Lower(name);
  const size_t dot = n.rfind('.');
  const std::string stem = dot == std::string::npos ? n : n.substr(0, dot);
  return e == n || e == stem + ".m14" || e == n + ".m14";
}

std::string FindTitleFile(const std::string& folder, const std::string& name) {
  std::error_code error;
  const std::filesystem::path dir(folder.empty() ? std::string(".") : folder);
  if (std::filesystem::is_regular_file(dir / name, error)) return folder + name;
  std::filesystem::directory_iterator it(dir, error), end;
  for (; !error && it != end; it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (IsTitleFileName(entry, name) && it->is_regular_file(error)) return folder + entry;
  }
  return {};
}

std::string WithSeparator(const std::string& folder) {
  if (folder.empty() || folder.back() == '/') return folder;
  return folder + '/';
}

}  // namespace shell
