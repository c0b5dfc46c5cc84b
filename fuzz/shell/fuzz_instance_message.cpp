// Decodes arbitrary bytes as the message a second start hands to the first; a message that
// decodes must encode back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/shell/single_instance.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> arguments;
  if (shell::SingleInstance::decode(bytes, arguments) && shell::SingleInstance::encode(arguments) != bytes) {
    std::abort();
  }
  return 0;
}
