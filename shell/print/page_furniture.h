// What every printout draws around its body: the header (a thick rule with the citation on the
// left and the page text on the right above it), the footer (a rule and the work information
// below the body) and the label over the notes area. Offsets are dots of a 300 dots-per-inch
// printer and are scaled to the printer's resolution.
#pragma once

#include "platform/base/cstring.h"
#include "platform/gdi/core/afx_gdi.h"

namespace printdraw {

// A printer font: height from points and the printer's horizontal resolution, proof quality.
BOOL MakeFont(CFont& font, CDC* dc, const char* face, int points, int weight);

// Draws (or, with `measure`, only measures) the header above `body`: the rule at top - 20, the
// page text right-aligned and the citation left of it, both ending at top - 30. Returns the
// header's height (the taller text plus 20; 0 without texts).
int Header(CDC* dc, const CRect& body, const CString& citation, const CString& page_text, CFont* font,
           bool measure);
// The room the header and its gap take above the body.
int HeaderRoom(CDC* dc, const CRect& body, const CString& citation, const CString& page_text, CFont* font);
// The footer below `body`: a rule at bottom + 20 and the text from bottom + 30.
void Footer(CDC* dc, const CRect& body, const CString& text, CFont* font);
// The room the footer takes below the body.
int FooterRoom(CDC* dc, const CRect& body, const CString& text, CFont* font);
// The grey band and "N  O  T  A  T  K  I:" just below `body`; returns the label's height.
int NotesLabel(CDC* dc, const CRect& body, CFont* font, bool measure);
// The body moved inside the printable part of the page so that the header above it and the
// footer below it stay on the paper.
CRect KeepFurnitureOnPaper(CDC* dc, CRect body, int header_room, int footer_room);

}  // namespace printdraw
