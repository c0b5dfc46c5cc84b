// Act texts of any bytes: the reader accepts or refuses them with a message, and what it accepts
// lays out as library topics.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tools/compiler/act_text.h"
#include "tools/compiler/library_plan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  compiler::ActParseResult result = compiler::ParseAct(text, "1999_1.txt");
  if (!result.ok) {
    if (result.message.empty()) __builtin_trap();  // every refusal says why
    return 0;
  }
  compiler::FindReferences(result.act.title);
  std::vector<compiler::Act> acts{std::move(result.act)};
  compiler::PlanLibrary(std::move(acts), [](const std::string&) { return true; });
  return 0;
}
