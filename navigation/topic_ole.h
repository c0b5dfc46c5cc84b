// The windows' side of topic drag and drop: the data source of a topic drag, the drop source that
// shows the program's own drag cursors, and the drop target that the bookmark tab, the library and
// binder tabs, the reading view and the main window register. The decisions are the plain rules of
// topic_drag.h; the target only finds out the facts (which window, where the point lies, whether a
// binder is open) and carries the drop out.
#pragma once

#include <cstdint>
#include <string_view>

#include "navigation/topic_drag.h"
#include "platform/base/geometry.h"
#include "platform/shell/drag_drop.h"

class CWnd;

// The data source of the bookmark tab's drag.
class CTopicOleDataSource : public COleDataSource {
 public:
  ~CTopicOleDataSource() override;
};

class CTopicOleDropSource : public COleDropSource {
 public:
  // Copy, move and link show cursors 303, 309 and 304; other effects, or a cursor that failed to
  // load, the standard ones.
  SCODE GiveFeedback(DROPEFFECT dropEffect) override;
  // Loads the cursors the first time a drag begins.
  BOOL OnBeginDrag(CWnd* pWnd) override;

 private:
  HCURSOR m_hCopy = nullptr;
  HCURSOR m_hMove = nullptr;
  HCURSOR m_hLink = nullptr;
  BOOL m_bLoaded = FALSE;
};

class CTopicOleDropTarget : public COleDropTarget {
 public:
  CTopicOleDropTarget();
  ~CTopicOleDropTarget() override;

  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
  BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

  const CRect& GetZone() const { return m_rectZone; }

 private:
  // The facts of a drag over `pWnd` at `point` (client coordinates); also sets the drop zone.
  topicdrag::DropContext Describe(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);

  UINT m_cfTopicInfo = 0;
  CRect m_rectZone;
  DROPEFFECT m_dropEffect = DROPEFFECT_NONE;
};

namespace medview {
struct ClipFormatTable;
}

namespace topicdrag {

// The registered clipboard format of "Topic Info".
UINT TopicInfoFormat();
// The record of a drag of `record` started from `source` (its level read from the catalogue).
TopicInfoBlock MakeTopicInfo(int32_t record, const void* source, int32_t kind);
// Puts the record on `data` as "Topic Info".
void OfferTopicInfo(COleDataSource& data, const TopicInfoBlock& block);
// Offers a CP1250 text as text and as UTF-8 text; an empty text offers nothing.
void OfferText(COleDataSource& data, std::string_view text);
// Offers what the engine rendered: its RTF and its plain text (as OfferText), each by its own
// format, and the other formats registered by name that embedded objects added.
void OfferRendered(COleDataSource& data, const medview::ClipFormatTable& table);
// The data of an act drag of `record` from `source`: "Topic Info", then by the copy format the
// citation (1), the row (2), or the engine's rendering of the topic's heading (3, 4; with 4 and
// `ctrl`, of the whole editorial unit). A record the catalogue cannot describe, or a topic the
// engine cannot show, carries "Topic Info" alone.
void BuildTopicDrag(COleDataSource& data, int32_t record, const void* source, int32_t kind, int copy_format,
                    bool ctrl);
// Runs the drag of `data` with the program's drop source and the effects copy, move, link and
// scroll; the effect the target carried out.
DROPEFFECT RunTopicDrag(COleDataSource& data);

}  // namespace topicdrag
