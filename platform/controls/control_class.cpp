#include "platform/controls/control_class.h"

#include "platform/win/system_metrics.h"

namespace controls {

void register_control_class(const char* name, WNDPROC proc, UINT style, int background_colour) {
  WNDCLASS wc;
  if (GetClassInfo(name, &wc)) return;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(LONG_PTR(background_colour) + 1);
  wc.lpszClassName = name;
  RegisterClass(&wc);
}

}  // namespace controls
