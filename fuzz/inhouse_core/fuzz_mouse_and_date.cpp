// Reads arbitrary bytes as the stored mouse-command assignments and as a stored date.
#include <cstddef>
#include <cstdint>
#include <span>

#include "controls/date.h"
#include "controls/mouse_manager.h"
#include "platform/base/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const uint8_t> bytes(data, size);
  {
    CGSMouseManager manager;
    CArchive ar(bytes);
    try {
      manager.Serialize(ar);
    } catch (const CArchiveException&) {
    }
    for (UINT context : {kMouseContextText, kMouseContextPicture}) {
      int command = manager.GetActionCommand(context);
      if (command != 0 && !CGSMouseManager::IsOfferedCommand(context, command)) __builtin_trap();
    }
  }
  CArchive ar(bytes);
  CDate date;
  try {
    date.Serialize(ar);
  } catch (const CArchiveException&) {
    return 0;
  }
  // Whatever was stored, a loaded date reads and formats within its range.
  (void)date.Format("%A %a %B %b %c %d %j %m %U %w %x %Y %y %#d %#j %#m %#U %#y %#x %%");
  if (date.IsValid() && (date.GetMonth() < 1 || date.GetMonth() > 12 || date.GetDay() < 1 || date.GetDay() > 31))
    __builtin_trap();
  return 0;
}
