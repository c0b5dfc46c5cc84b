// The viewer's clipboard formats: RTF and text of the selection or of the shown region.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/datapres/rtf_writer.h"
#include "engine/datapres/text_writer.h"
#include "engine/frame/layout_object.h"
#include "engine/medview/viewer.h"

namespace medview {

inline constexpr uint32_t kClipFormatText = 1;
inline constexpr uint32_t kClipFormatBitmap = 2;
inline constexpr uint32_t kClipFormatDib = 8;
inline constexpr uint32_t kClipFormatPalette = 9;  // a logical palette: version, count, entries
inline constexpr TitleErrorCode kViewNothingRendered = 1038;

// One rendered format: its clipboard format number and its bytes.
struct ClipFormatItem {
  uint32_t format = 0;
  std::vector<uint8_t> data;
};
// The rendered formats, the RTF item before the text item.
struct ClipFormatTable {
  std::vector<ClipFormatItem> items;
};
using ClipFormatTablePtr = std::unique_ptr<ClipFormatTable>;
// An embedded window answers 0x7076 with a ClipFormatTable released from a ClipFormatTablePtr (or 0);
// the engine takes it over.

// The application registers the clipboard format "Rich Text Format" and installs the procedure
// that does so; it is called once, on first use. Without one the RTF format is 0 and only text is
// rendered when both are wanted.
using RegisterFormatProc = uint32_t (*)(const char* name);
void MvSetClipFormatRegistrar(RegisterFormatProc proc);
uint32_t MvRtfClipFormat();

// `wanted` 0 renders RTF and text, kClipFormatText only text, the RTF format only RTF. With
// `selection` and a selection the selection is rendered, else the whole shown region. Null with
// 1038 when nothing was rendered, and with 1001 when a record could not be laid out (no partial
// copy is handed out).
ClipFormatTablePtr MvRenderClipFormats(ViewerHandle viewer, BOOL selection, uint32_t wanted, TitleErrorCode* error);
// The bytes of one format, or empty with 1038.
std::vector<uint8_t> MvRenderClipFormat(ViewerHandle viewer, BOOL selection, uint32_t format, TitleErrorCode* error);
// Plain text of the selection (1031 without one) or of the whole region.
std::vector<uint8_t> MvCopySelectionText(ViewerHandle viewer, TitleErrorCode* error);
std::vector<uint8_t> MvCopyRegionText(ViewerHandle viewer, TitleErrorCode* error);

}  // namespace medview
