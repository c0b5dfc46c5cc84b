#include "tests/support/polish_locale.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/base/temp_folder.h"

namespace lumo::test {

bool use_polish_numbers() {
  if (std::setlocale(LC_NUMERIC, "pl_PL.UTF-8")) return true;
  static const bool built = [] {
    std::string folder = base::temp_folder() + "/locales";
    std::filesystem::create_directories(folder);
    std::string command = "localedef -i pl_PL -f UTF-8 '" + folder + "/pl_PL.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return false;
    ::setenv("LOCPATH", folder.c_str(), 1);
    return true;
  }();
  return built && std::setlocale(LC_NUMERIC, "pl_PL.UTF-8");
}

void use_c_numbers() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace lumo::test
