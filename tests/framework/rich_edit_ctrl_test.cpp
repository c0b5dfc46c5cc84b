// The rich-edit control: RTF and plain text streamed in whole or in place of the selection,
// bounded streams, background and wrapping, scrolling, and typing into an editable one.
#include "platform/controls/rich_edit_ctrl.h"

#include <string>

#include "platform/base/cp1250.h"
#include "platform/win/system_metrics.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/surface_png.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

// Streams a string in pieces of at most `step` bytes, whatever the control asks for.
struct StringStream {
  std::string data;
  size_t at = 0;
  LONG step = 7;
  int calls = 0;
  static DWORD CALLBACK_read(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* s = reinterpret_cast<StringStream*>(cookie);
    ++s->calls;
    LONG n = LONG(std::min<size_t>({size_t(size), size_t(s->step), s->data.size() - s->at}));
    std::memcpy(buffer, s->data.data() + s->at, size_t(n));
    s->at += size_t(n);
    *done = n;
    return 0;
  }
};

long stream(CRichEditCtrl& edit, const std::string& data, int format) {
  StringStream s{data};
  EDITSTREAM es;
  es.dwCookie = reinterpret_cast<DWORD_PTR>(&s);
  es.pfnCallback = &StringStream::CALLBACK_read;
  return edit.StreamIn(format, es);
}

std::string text_of(CRichEditCtrl& edit) {
  CString t;
  edit.GetWindowText(t);
  return base::cp1250::to_utf8(std::string_view(t));
}

class RichEditTest : public FrameworkTest {
 protected:
  CWnd parent;
  CRichEditCtrl edit;
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(AfxInitRichEdit());
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                            CRect(5, 5, 265, 113), &parent, 1101));
  }
};

TEST_F(RichEditTest, PiecesStreamedIntoTheSelectionFollowOneAnother) {
  // The head of a list, then two items, each into the selection as the act's exceptions are shown.
  const std::string head =
      "{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\fswiss Arial CE;}}\n{\\colortbl\\red0\\green0\\blue0;}\n"
      "\\deflang1045\\pard\\tx360\\plain\\fs16 \\b\\ql Wyj\\'b9tki:\\b0\n\\par\\par }";
  edit.SetWindowText("stary tekst");
  edit.SetSel(0, -1);
  edit.ReplaceSel("");
  EXPECT_EQ(edit.GetTextLength(), 0);
  long read = stream(edit, head, SF_RTF | SFF_SELECTION);
  EXPECT_EQ(read, 10);  // "Wyjątki:" and two paragraph breaks
  for (const char* item : {"art. 5 ust. 2", "art. 7"}) {
    stream(edit, std::string("{\\pard\\par\\bullet    ") + item + "\n\\par }", SF_RTF | SFF_SELECTION);
  }
  // The space after \bullet ends the control word; the other three stay.
  EXPECT_EQ(text_of(edit), "Wyjątki:\r\n\r\n\r\n•   art. 5 ust. 2\r\n\r\n•   art. 7\r\n");
  long from = -1, to = -1;
  edit.GetSel(from, to);
  EXPECT_EQ(from, edit.GetTextLength() - 6);  // the caret stands behind the last piece
  EXPECT_EQ(from, to);

  // The formats came along: the heading is bold at 8 points, the items are not bold.
  const controls::RichText* t = controls::rich_edit_text(edit);
  ASSERT_NE(t, nullptr);
  EXPECT_TRUE(t->paragraphs()[0].runs[0].format.bold);
  EXPECT_EQ(t->paragraphs()[0].runs[0].format.half_points, 16);
  EXPECT_FALSE(t->format_at(t->length() - 2).bold);

  // Without SFF_SELECTION the stream replaces everything and the caret goes to the start.
  stream(edit, "{\\rtf1 nowy}", SF_RTF);
  EXPECT_EQ(text_of(edit), "nowy");
  edit.GetSel(from, to);
  EXPECT_EQ(to, 0);
}

TEST_F(RichEditTest, StreamsThatAreNotRtfStopOnErrorsAndEndAtTheBound) {
  // Plain text asked for as RTF, and RTF asked for as text, are both shown as they are.
  stream(edit, "zwyk\xB3y\r\ntekst", SF_RTF);
  EXPECT_EQ(text_of(edit), "zwykły\r\ntekst");
  stream(edit, "{\\rtf1 x}", SF_TEXT);
  EXPECT_EQ(text_of(edit), "{\\rtf1 x}");
  // A damaged document keeps what came before the damage.
  stream(edit, "{\\rtf1 przed {\\b bez ko\\'f1ca", SF_RTF);
  EXPECT_EQ(text_of(edit), "przed bez końca");

  // A callback error stops the stream and is handed back.
  EDITSTREAM failing;
  failing.pfnCallback = [](DWORD_PTR, LPBYTE, LONG, LONG* done) -> DWORD {
    *done = 0;
    return 5;
  };
  EXPECT_EQ(edit.StreamIn(SF_TEXT, failing), 0);
  EXPECT_EQ(failing.dwError, 5u);

  // A source that never ends is cut at the bound, and a callback that claims more than it was
  // given room for is taken at the room.
  EDITSTREAM endless;
  endless.pfnCallback = [](DWORD_PTR, LPBYTE buffer, LONG size, LONG* done) -> DWORD {
    std::memset(buffer, 'a', size_t(size));
    buffer[size - 1] = ' ';
    *done = size * 4;
    return 0;
  };
  EXPECT_EQ(edit.StreamIn(SF_TEXT, endless), long(controls::kMaxRichStream));
  EXPECT_EQ(endless.dwError, 0u);
  edit.SendMessage(WM_VSCROLL, SB_BOTTOM);
  pump();
}

TEST_F(RichEditTest, WrapsAtTheWindowScrollsAndPaintsOnItsBackground) {
  edit.SetBackgroundColor(FALSE, GetSysColor(COLOR_BTNFACE));
  edit.SetTargetDevice(nullptr, 0);
  std::string many;
  for (int i = 0; i < 80; ++i) many += "s\\'b3owo ";
  stream(edit, "{\\rtf1 " + many + "\\par koniec}", SF_RTF);
  int wrapped = edit.GetLineCount();
  EXPECT_GT(wrapped, 3);
  edit.SetTargetDevice(nullptr, 1);
  EXPECT_EQ(edit.GetLineCount(), 2);
  edit.SetTargetDevice(nullptr, 0);
  EXPECT_EQ(edit.GetLineCount(), wrapped);

  // The window colour is kept for the next change, and the whole control paints in it.
  EXPECT_EQ(edit.SetBackgroundColor(TRUE, 0), GetSysColor(COLOR_BTNFACE));
  edit.SetBackgroundColor(FALSE, RGB(250, 240, 200));
  edit.UpdateWindow();
  pump();
  EXPECT_EQ(surface_pixel(edit, 1, 107), DWORD(RGB(250, 240, 200)));
  save_surface_png(edit, testing::TempDir() + "rich_edit_ctrl.png");

  // Scrolling moves by lines and stops at the ends.
  SCROLLINFO si;
  edit.GetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(si.nPos, 0);
  edit.SendMessage(WM_VSCROLL, SB_LINEDOWN);
  edit.GetScrollInfo(SB_VERT, &si);
  EXPECT_GT(si.nPos, 0);
  edit.SendMessage(WM_VSCROLL, SB_BOTTOM);
  edit.GetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(si.nPos, si.nMax - int(si.nPage) + 1);
  edit.SendMessage(WM_VSCROLL, SB_TOP);
  edit.GetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(si.nPos, 0);
}

TEST_F(RichEditTest, AnEditableControlTakesTypingAndTellsItsParent) {
  class Parent : public CWnd {
   public:
    int changes = 0;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
      if (HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == 7) ++changes;
      return CWnd::OnCommand(wParam, lParam);
    }
  } owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "Notatki", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 100), nullptr, 0));
  CRichEditCtrl note;
  ASSERT_TRUE(note.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, CRect(0, 0, 200, 100), &owner, 7));
  pump();
  note.SetFocus();
  type_text("ab");
  pump();
  EXPECT_EQ(owner.changes, 0);  // no event mask yet
  note.SetEventMask(ENM_CHANGE);
  ASSERT_EQ(CWnd::GetFocus(), &note);
  press_key(VK_RETURN, '\r');
  type_text("cd");
  press_key(VK_LEFT);
  press_key(VK_BACK, 0x08);
  press_key(VK_HOME);
  press_key(VK_DELETE);
  pump();
  EXPECT_EQ(text_of(note), "b\r\nd");
  EXPECT_EQ(owner.changes, 5);
  EXPECT_TRUE(note.SendMessage(EM_GETMODIFY));

  // Read-only: typing changes nothing.
  note.SetReadOnly();
  type_text("x");
  pump();
  EXPECT_EQ(text_of(note), "b\r\nd");
  note.DestroyWindow();
}

// Formatted text built by the program goes in as it stands: braces and backslashes are text, the
// runs keep their formats, and it replaces the selection with the caret behind it.
TEST_F(RichEditTest, FormattedTextReplacesTheSelectionAsItStands) {
  stream(edit, "przed|po", SF_TEXT);
  edit.SetSel(5, 6);
  controls::CharFormat bold;
  bold.bold = true;
  bold.half_points = 16;
  const controls::RichText piece({controls::Paragraph{{{CString("{\\b x} \\par"), bold}}, bold},
                                  controls::Paragraph{{{CString("\x95 drugi"), {}}}, {}}});
  ASSERT_TRUE(controls::replace_rich_edit_selection(edit.m_hWnd, piece));
  EXPECT_EQ(text_of(edit), "przed{\\b x} \\par\r\n• drugipo");
  long from = 0, to = 0;
  edit.GetSel(from, to);
  EXPECT_EQ(from, 5 + 11 + 1 + 7);  // a paragraph break counts one
  EXPECT_EQ(from, to);
  const controls::RichText* text = controls::rich_edit_text(edit.m_hWnd);
  ASSERT_NE(text, nullptr);
  ASSERT_GE(text->paragraphs()[0].runs.size(), 2u);
  EXPECT_TRUE(text->paragraphs()[0].runs[1].format.bold);
  EXPECT_FALSE(controls::replace_rich_edit_selection(parent.m_hWnd, piece));
}

}  // namespace
}  // namespace lumo::test
