// SECListBoxEditor: turns a dialog's list box into an editable list. A header strip above the
// list shows a caption and up to four bitmap buttons (new, delete, move up, move down); items are
// edited in place in an edit laid over the row (optionally with a "..." browse button), inserted,
// deleted, and reordered with Alt+arrow keys, the buttons or by dragging with auto-scroll. An
// empty placeholder row at the end stands for the next new item unless the options turn it off.
//
// Every change goes through virtual hooks, which derived editors override, and is announced to
// the dialog with WM_COMMAND (the list box's id in the low word, its window in lParam):
// LBN_SELCHANGE (posted) when the selection or the editing state changes, 10 (sent) after an item
// was deleted, 11 (sent) after an item was moved.
//
// The editor's own window is the header strip.
#pragma once

#include <memory>

#include "platform/base/cstring.h"
#include "platform/base/geometry.h"
#include "platform/controls/standard_controls.h"
#include "platform/framework/tool_tips.h"
#include "platform/win/cwnd.h"

// Options given to Initialize.
constexpr DWORD LBE_BROWSE = 0x1;          // F2 edits; the in-place edit gets a "..." button
constexpr DWORD LBE_AUTOEDIT = 0x2;        // typing a character starts editing with it
constexpr DWORD LBE_BUTTONS = 0x4;         // the header shows its bitmap buttons
constexpr DWORD LBE_TOOLTIPS = 0x8;        // tips for the header buttons (with LBE_BUTTONS)
constexpr DWORD LBE_SHORTCUTS = 0x10;      // Insert, Delete, Alt+Up and Alt+Down act on the list
constexpr DWORD LBE_DRAGNDROP = 0x20;      // items can be dragged to a new place
constexpr DWORD LBE_NOTRAILINGBLANK = 0x40;  // no placeholder row at the end
constexpr DWORD LBE_NEWBUTTON = 0x100;
constexpr DWORD LBE_DELBUTTON = 0x200;
constexpr DWORD LBE_UPBUTTON = 0x400;
constexpr DWORD LBE_DOWNBUTTON = 0x800;

// Notification codes (high word of WM_COMMAND) besides LBN_SELCHANGE.
constexpr WORD LBE_NOTIFY_DELETED = 10;
constexpr WORD LBE_NOTIFY_MOVED = 11;

// Ids of the in-place edit and its browse button (children of the list box).
constexpr UINT LBE_EDIT_ID = 100;
constexpr UINT LBE_BROWSE_ID = 101;
// WM_NOTIFY code with which the in-place edit reports that it ended.
constexpr UINT LBE_NOTIFY_ENDEDIT = 1000;
// Sent by the in-place edit to the list box before it ends: wParam 1 cancelled, 0 accepted.
constexpr UINT LBE_SETCANCELLED = 0x500;

class SECListBoxEditor;

// The in-place edit over a row.
class SECListBoxEdit : public CEdit {
 public:
  SECListBoxEdit(SECListBoxEditor* editor, int index, BOOL new_item, int previous_selection);
  int GetIndex() const { return m_index; }
  BOOL IsNewItem() const { return m_newItem; }
  void SetBrowseButtonId(UINT id) { m_browseId = id; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // Replaces the row's text by the edit's and ends the edit.
  void Accept();
  // Drops the edit (and a new row it was started for).
  void Cancel();
  void Finish(BOOL cancelled);
  // Moves the focus to the dialog's next or previous tab stop after the list box.
  void LeaveList(BOOL previous);
  BOOL SpaceLeaves();

  SECListBoxEditor* m_editor;
  BOOL m_newItem;
  int m_index;
  int m_previousSelection;
  UINT m_browseId = 0;
  BOOL m_spaceLeavesList;
  int m_spaceCount;
  BOOL m_finished = FALSE;
};

// The dialog's list box, subclassed: its keys, clicks and drags go to the editor.
class SECListBoxEditorList : public CListBox {
 public:
  explicit SECListBoxEditorList(SECListBoxEditor* editor) : m_editor(editor) {}
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  SECListBoxEditor* m_editor;
};

class SECListBoxEditor : public CWnd {
  DECLARE_DYNAMIC(SECListBoxEditor)

 public:
  SECListBoxEditor();
  ~SECListBoxEditor() override;

  // Takes over list box `nListBoxId` of `pDialog`; FALSE when the list box does not exist.
  virtual BOOL Initialize(CWnd* pDialog, UINT nListBoxId, DWORD dwOptions);
  virtual void SetSpaceLeavesList(BOOL bLeaves);
  // Closes the in-place edit and applies its result.
  virtual void EndEdit();
  virtual void NotifySelChange();
  // Selects the last item when nothing is selected, then tells the dialog.
  virtual void EnsureSelection();
  virtual void OnItemChanged(int nIndex, const CString& strOld, const CString& strNew);
  virtual void OnItemAdded(int nIndex, const CString& strText);
  virtual void OnItemMoved(int nFrom, int nTo, const CString& strText);
  virtual BOOL CanDelete(int nIndex, const CString& strText);
  virtual void NewItem();
  virtual void DeleteSelected();
  virtual void MoveDown();
  virtual void MoveUp();
  // Starts editing the current item, with `nChar` (0 for none) as its first character.
  virtual void OnListChar(UINT nChar);
  virtual int GetHeaderHeight();
  virtual void LayoutButtons();
  virtual void UpdateToolTips();
  virtual void Relayout();
  virtual void SetButtons(DWORD dwOptions);
  virtual void EditItem(int nIndex, BOOL bNewItem, LPCTSTR lpszInitial);
  virtual void MoveItemUp(int nIndex);
  // FALSE when the index is outside the list, when it is the placeholder, or when CanDelete
  // refuses.
  virtual BOOL DeleteItem(int nIndex);
  virtual void SetSpaceCount(int nCount);
  // The in-place edit's "..." button was clicked; derived editors choose the text.
  virtual void OnBrowse();

  CListBox* GetListBox() { return m_list.get(); }
  CEdit* GetEdit() { return m_edit.get(); }
  DWORD GetOptions() const { return m_options; }
  int GetLastDeleted() const { return m_lastDeleted; }
  int GetLastMoveFrom() const { return m_moveFrom; }
  int GetLastMoveTo() const { return m_moveTo; }
  // A button's rectangle in header client coordinates (empty when it does not exist).
  CRect GetButtonRect(int nButton) const { return m_buttonRects[nButton]; }
  BOOL UsesPlaceholder() const { return (m_options & LBE_NOTRAILINGBLANK) == 0; }
  // The list box selects several items (LBS_MULTIPLESEL or LBS_EXTENDEDSEL).
  BOOL IsMultiSelect() const;
  // Makes the item (-1 none) the only selected one and the current item.
  void SelectItem(int nIndex);
  // The item the move operations act on: the selected one; in a multiple-selection list the
  // only selected item (-1 unless exactly one is selected).
  int GetCurrentItem() const;
  // Replaces an item's text keeping its data, its selection and the current item.
  void ReplaceItemText(int nIndex, const CString& strText);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  // Called by the list box wrapper.
  BOOL HandleListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Called by the in-place edit before it ends.
  void SetCancelled(BOOL bCancelled) { m_cancelled = bCancelled; }
  BOOL IsEditing() const { return m_edit != nullptr; }
  BOOL GetSpaceLeavesList() const { return m_spaceLeavesList; }
  int GetSpaceCount() const { return m_spaceCount; }

  // The four header buttons.
  enum Button { kNew = 0, kDelete = 1, kUp = 2, kDown = 3 };

 protected:
  void OnPaintHeader();
  void OnHeaderButtonDown(CPoint point);
  void RunButton(int nButton);
  // Drags the current item to a new place; the caller checked LBE_DRAGNDROP.
  void DragItem(CPoint start);
  // Moves the item at `from` to before `to` (the end when `to` is the count) keeping its data;
  // answers the new index.
  int MoveItem(int nFrom, int nTo);
  BOOL IsPlaceholder(int nIndex);
  void PostSelChange();
  void SendNotify(WORD code);
  // The item's text without trailing blanks.
  static CString TrimmedRight(const CString& text);

  std::unique_ptr<CButton> m_browseButton;
  std::unique_ptr<CToolTipCtrl> m_toolTips;
  std::unique_ptr<SECListBoxEdit> m_edit;
  std::unique_ptr<SECListBoxEditorList> m_list;
  // The last edit that ended, and its button.
  std::unique_ptr<SECListBoxEdit> m_retiredEdit;
  std::unique_ptr<CButton> m_retiredButton;
  CRect m_buttonRects[4];
  BOOL m_buttonExists[4] = {FALSE, FALSE, FALSE, FALSE};
  DWORD m_options = 0;
  BOOL m_initialized = FALSE;
  int m_headerHeight = 0;
  CString m_textBefore;
  BOOL m_cancelled = FALSE;
  int m_lastDeleted = -1;
  int m_moveFrom = -1;
  int m_moveTo = -1;
  BOOL m_spaceLeavesList = FALSE;
  int m_spaceCount = 1;
  BOOL m_newItem = FALSE;
  HWND m_dialog = nullptr;
  UINT m_listId = 0;
};
