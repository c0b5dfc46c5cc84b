// A parent window for report lists that answers the rows of an owner-data list from a table of
// texts, writes down the notifications it hears, and a list that counts the rows it draws.
#pragma once

#include <QImage>

#include <functional>
#include <string>
#include <vector>

#include "controls/gs_list_ctrl.h"
#include "tests/support/gui_fixture.h"

namespace lumo::test {

class ReportParent : public CWnd {
 public:
  // Rows of cells in UTF-8; owner-data rows past the table read "w<row>k<column>".
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> log;
  int display_questions = 0;

  BOOL Create(int width = 480, int height = 260);
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CountingList : public CGSListCtrl {
 public:
  std::vector<int> drawn;
  void DrawItem(LPDRAWITEMSTRUCT d) override {
    drawn.push_back(int(d->itemID));
    CGSListCtrl::DrawItem(d);
  }
};

class ReportListTest : public GuiTest {
 protected:
  ReportParent parent;
  CountingList list;

  void SetUp() override;
  void TearDown() override;
  // A list over the parent at (10, 10) with the columns given (title, width, format) and the
  // parent's rows (owner data: their count, or `count` when larger).
  void make(DWORD style, const std::vector<std::pair<std::string, int>>& columns, int count = 0);
  // Moves the mouse to a client point of the list (no buttons) and lets it be handled.
  void hover(POINT client);
  void click_list(POINT client);
  // The middle of a cell's text area.
  POINT cell_point(int row, int column) const;
  // The parent with the list and a shown tip drawn over it, as the screen shows them.
  QImage picture() const;
  void save(const QImage& image, const std::string& name) const;
};

// CP1250 bytes from UTF-8 source text.
std::string cp(const std::string& utf8);

}  // namespace lumo::test
