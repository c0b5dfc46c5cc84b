// The hidden pane the act print job shows print-list entries in: a pop-up window of the pane
// class, never shown, with a viewer on the library title. It shows whichever region it was last
// set to.
#pragma once

#include "shell/view/mv_pane.h"

class CMvPrintPane : public CMvPane {
 public:
  CMvPrintPane() = default;
  ~CMvPrintPane() override;

  // A hidden 50 x 50 pop-up bound to `title`; false when the window or the viewer fails.
  BOOL CreateHidden(title::TitleHandle* title);

  BOOL ShowsScrollingRegion() const override;
  BOOL KeepsSelection() const override { return FALSE; }
};
