// CDUTree: the library tree of the "Biblioteka" tab: yearbooks at the top, journal issues, acts,
// attachments and act parts below, loaded from the contents index when a parent is first expanded
// and dropped again when it collapses. Item texts are read from the index when shown.
#pragma once

#include <cstdint>
#include <string>

#include "controls/gs_status_bar.h"
#include "platform/controls/image_list.h"
#include "shell/core/contents_reader.h"
#include "toolkit/widgets/tree_ctrl.h"

// The status bar's progress while the index is read: the label in the message pane, the bar
// after it running from 1 to 100; it goes when the object ends.
class LoadProgress {
 public:
  explicit LoadProgress(const char* utf8_label);
  // Shows item `done` of `total` when its percentage grew.
  void Step(size_t done, size_t total);

 private:
  static constexpr UINT kProgressId = 0xE7F0;
  CProgressBar progress_;
  int shown_ = 0;
};

class CDUTree : public SECTreeCtrl {
  DECLARE_DYNAMIC(CDUTree)

 public:
  CDUTree() = default;
  ~CDUTree() override;

  // The contents index read (held in memory by its owner) and the number of records the library
  // title has; set before LoadContents. A count above the index's own is cut to it.
  void SetIndex(const shell::ContentsIndexReader* index, int32_t record_count);
  int32_t GetRecordCount() const { return m_nRecordCount; }

  // Creates the columns "Tytuł" and "Poz." and turns on item tips.
  BOOL CreateTree(const RECT& rect, CWnd* parent, UINT id);
  // Creates the tree in the place (rectangle, id, tab order) of a dialog's item, which goes.
  BOOL ReplaceTemplateItem(UINT id, CWnd* dialog);
  // Hides the tip of a cut-off item text.
  void HideItemTip();
  // Adds the yearbooks at the root, each with an expand button. With a library title open the
  // record count is the title's topic count (information 11), cut to the index's own.
  void LoadContents();
  // Loads the children of an item not yet expanded.
  void LoadChildren(HTREEITEM item);
  // Collapses an item with its whole subtree, dropping the loaded children; the item keeps its
  // expand button.
  void CollapseReset(HTREEITEM item);
  // Collapses every top-level item ("Zamknij wszystkie").
  void CollapseAll();
  // Finds, expands the ancestors of and selects the item of a record; null when it has none (the
  // ancestors reached stay expanded). `start` is accepted for callers and not used.
  HTREEITEM LocateRecord(int32_t record, HTREEITEM start = nullptr);
  // Item of a record with its level's images, the attachment overlay, its user value (the record
  // number), callback title text and the position text.
  HTREEITEM InsertRecordItem(HTREEITEM parent, HTREEITEM after, int32_t number, const shell::ContentsRecord& record,
                             BOOL has_children);
  // The record and its title text; false when either lies outside the index.
  BOOL ReadRecordText(int32_t number, shell::ContentsRecord& record, std::string& text) const;

  // "Zawijanie wierszy": wraps long titles over several lines.
  void SetWordWrap(BOOL on);
  BOOL GetWordWrap() const { return m_bWordWrap; }
  // "Kolumny": removes column "Poz." when present, puts it back at index 1 otherwise.
  void ToggleColumns();
  BOOL HasPositionColumn() const { return GetColumnCount() > 1; }

  int32_t RecordOf(HTREEITEM item) const { return int32_t(GetItemUserData(item)); }

 protected:
  // The texts and the second column, which the binder tree shows its own way.
  virtual std::string TitleText(int32_t number, const shell::ContentsRecord& record, const std::string& text) const;
  virtual std::string PositionText(const shell::ContentsRecord& record) const;
  virtual const char* PositionHeading() const;
  // The second column's width when the tree is made and when "Kolumny" puts it back.
  virtual int PositionWidth(bool again) const;

  afx_msg void OnGetDispInfo(NMHDR* header, LRESULT* result);
  afx_msg void OnItemExpanding(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

 private:
  // Four images per level (4 x level, 4 x level + 1 selected); overlay 1 marks attachments.
  BOOL CreateImages();

  CImageList m_images;
  const shell::ContentsIndexReader* m_pIndex = nullptr;
  int32_t m_nRecordCount = 0;
  BOOL m_bWordWrap = FALSE;
};
