// Reads arbitrary bytes as another program's clipboard palette or metafile picture (the first
// byte chooses which). Whatever decodes must encode back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/shell/clipboard.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::span<const uint8_t> bytes(data + 1, size - 1);
  if (data[0] & 1) {
    METAFILEPICT picture{};
    if (shell::metafile_picture_from_bytes(bytes, picture)) {
      std::vector<uint8_t> again = shell::metafile_picture_bytes(picture);
      if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
      DeleteMetaFile(picture.hMF);
    }
  } else if (HPALETTE palette = shell::palette_from_bytes(bytes)) {
    std::vector<uint8_t> again = shell::palette_bytes(palette);
    if (!std::equal(again.begin(), again.end(), bytes.begin(), bytes.end())) std::abort();
    DeleteObject(palette);
  }
  return 0;
}
