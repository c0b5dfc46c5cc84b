// Clipboard round trips of text, RTF, a program format and a bitmap; drag and drop between two
// windows of the program.
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <cstring>

#include "platform/base/cp1250.h"

#include "platform/shell/clipboard.h"
#include "platform/shell/drag_drop.h"
#include "platform/win/virtual_keys.h"
#include "tests/framework/framework_fixture.h"
#include "tests/support/synthetic_input.h"

namespace lumo::test {
namespace {

std::vector<uint8_t> bytes_of(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

class ClipboardTest : public FrameworkTest {};

TEST_F(ClipboardTest, RegisteredFormatsHaveStableNumbers) {
  UINT rtf = RegisterClipboardFormat("Rich Text Format");
  UINT topic = RegisterClipboardFormat("Topic Info");
  EXPECT_GE(rtf, 0xC000u);
  EXPECT_GE(topic, 0xC000u);
  EXPECT_NE(rtf, topic);
  EXPECT_EQ(RegisterClipboardFormat("rich text FORMAT"), rtf);
  EXPECT_EQ(RegisterClipboardFormat(""), 0u);
  char name[32];
  EXPECT_EQ(GetClipboardFormatName(topic, name, sizeof name), 10);
  EXPECT_STREQ(name, "Topic Info");
  EXPECT_EQ(shell::mime_type_of(rtf), "text/rtf");
  EXPECT_EQ(shell::mime_type_of(CF_TEXT), "text/plain");
}

TEST_F(ClipboardTest, TextRtfAndProgramFormatsRoundTrip) {
  UINT rtf = RegisterClipboardFormat("Rich Text Format");
  UINT topic = RegisterClipboardFormat("Topic Info");
  std::string text = base::cp1250::from_utf8("Dz.U. z 2001 r. — zażółć");
  std::string rich = "{\\rtf1\\ansi Art. 1}";
  std::vector<uint8_t> info = {0x01, 0x00, 0xFF, 0x7F, 0x00, 0x10};
  EXPECT_FALSE(SetClipboardData(CF_TEXT, bytes_of(text)));  // not open
  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_FALSE(OpenClipboard(nullptr));
  EmptyClipboard();
  std::vector<uint8_t> with_zero = bytes_of(text);
  with_zero.push_back(0);
  EXPECT_TRUE(SetClipboardData(CF_TEXT, with_zero));
  EXPECT_TRUE(SetClipboardData(rtf, bytes_of(rich)));
  EXPECT_TRUE(SetClipboardData(topic, info));
  ASSERT_TRUE(CloseClipboard());

  std::vector<uint8_t> got = GetClipboardData(CF_TEXT);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), 0);
  EXPECT_EQ(std::string(got.begin(), got.end() - 1), text);
  EXPECT_EQ(GetClipboardData(rtf), bytes_of(rich));
  EXPECT_EQ(GetClipboardData(topic), info);
  EXPECT_TRUE(IsClipboardFormatAvailable(topic));
  // The system clipboard sees the text as UTF-8 and the RTF under its MIME type.
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_EQ(mime->text().toStdString(), base::cp1250::to_utf8(text));
  EXPECT_EQ(mime->data("text/rtf").toStdString(), rich);

  // Emptying takes every format away.
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_TEXT, bytes_of("x"));
  CloseClipboard();
  EXPECT_FALSE(IsClipboardFormatAvailable(topic));
  EXPECT_TRUE(GetClipboardData(rtf).empty());
}

TEST_F(ClipboardTest, Utf8TextTravelsBesideTheProgramsText) {
  const std::string utf8 = "Ustawa z dnia 5 marca 2001 r. — zażółć gęślą jaźń";
  const std::string cp1250 = base::cp1250::from_utf8(utf8);
  std::vector<uint8_t> utf8_with_zero = bytes_of(utf8);
  utf8_with_zero.push_back(0);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_TEXT, bytes_of(cp1250));
  SetClipboardData(CF_UNICODETEXT, utf8_with_zero);
  CloseClipboard();
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), utf8_with_zero);
  const std::vector<uint8_t> text = GetClipboardData(CF_TEXT);
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(std::string(text.begin(), text.end() - 1), cp1250);
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  ASSERT_NE(mime, nullptr);
  EXPECT_EQ(mime->data("text/plain;charset=utf-8").toStdString(), utf8);
  EXPECT_EQ(mime->text().toStdString(), utf8);

  // UTF-8 text alone is also the program's text; the program's text alone is read as UTF-8.
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, bytes_of(utf8));
  CloseClipboard();
  const std::vector<uint8_t> converted = GetClipboardData(CF_TEXT);
  ASSERT_FALSE(converted.empty());
  EXPECT_EQ(std::string(converted.begin(), converted.end() - 1), cp1250);
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_TEXT, bytes_of(cp1250));
  CloseClipboard();
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
  EXPECT_EQ(GetClipboardData(CF_UNICODETEXT), utf8_with_zero);
}

TEST_F(ClipboardTest, DeviceIndependentBitmapRoundTrips) {
  // A 2 x 1 picture of 24 bits: header, then one row of 6 bytes padded to 8.
  std::vector<uint8_t> dib(40 + 8, 0);
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&dib[at], &v, 4); };
  put32(0, 40);
  put32(4, 2);
  put32(8, 1);
  dib[12] = 1;
  dib[14] = 24;
  const uint8_t row[8] = {0, 0, 255, 0, 255, 0, 0, 0};  // red, green (blue-green-red order)
  std::memcpy(&dib[40], row, 8);
  OpenClipboard(nullptr);
  EmptyClipboard();
  SetClipboardData(CF_DIB, dib);
  CloseClipboard();
  EXPECT_EQ(GetClipboardData(CF_DIB), dib);
  QImage image;
  ASSERT_TRUE(image.loadFromData(QApplication::clipboard()->mimeData()->data("image/bmp"), "BMP"));
  EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 255, 0));
}

// A window that starts a drag of a topic reference when pressed.
class DragSource : public CWnd {
 public:
  DROPEFFECT result = DROPEFFECT_NONE;
  afx_msg void OnLButtonDown(UINT, CPoint) {
    COleDataSource source;
    std::vector<uint8_t> info = {1, 2, 3};
    source.CacheData(RegisterClipboardFormat("Topic Info"), info);
    result = source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DragSource, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class RecordingTarget : public COleDropTarget {
 public:
  std::vector<std::string> events;
  std::vector<uint8_t> dropped;
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keys, CPoint) override {
    events.push_back("over");
    if (!data->IsDataAvailable(RegisterClipboardFormat("Topic Info"))) return DROPEFFECT_NONE;
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  }
  DROPEFFECT OnDragEnter(CWnd* w, COleDataObject* data, DWORD keys, CPoint p) override {
    events.push_back("enter");
    return OnDragOver(w, data, keys, p);
  }
  void OnDragLeave(CWnd*) override { events.push_back("leave"); }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, CPoint point) override {
    events.push_back(effect == DROPEFFECT_COPY ? "drop copy" : "drop move");
    dropped = data->GetData(RegisterClipboardFormat("Topic Info"));
    EXPECT_TRUE(point == CPoint(20, 15)) << point.x << "," << point.y;
    return TRUE;
  }
};

TEST_F(ClipboardTest, DragAndDropBetweenWindowsOfTheProgram) {
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 0));
  DragSource source;
  ASSERT_TRUE(source.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
  CWnd sink;
  ASSERT_TRUE(sink.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(200, 0, 300, 100), &top, 2));
  RecordingTarget target;
  ASSERT_TRUE(target.Register(&sink));
  pump();
  // Press on the source, move over the sink and release there with Ctrl held: a copy.
  mouse_down(screen_point(source.m_hWnd, POINT{10, 10}));
  when_captured([&] {
    mouse_move(screen_point(source.m_hWnd, POINT{50, 10}));
    mouse_move(screen_point(sink.m_hWnd, POINT{10, 10}));
    mouse_move(screen_point(sink.m_hWnd, POINT{20, 15}), win::KeyModifiers{.control = true});
    mouse_up(screen_point(sink.m_hWnd, POINT{20, 15}), win::MouseButton::left, win::KeyModifiers{.control = true});
  });
  pump();
  EXPECT_EQ(source.result, DROPEFFECT_COPY);
  EXPECT_EQ(target.dropped, (std::vector<uint8_t>{1, 2, 3}));
  ASSERT_FALSE(target.events.empty());
  EXPECT_EQ(target.events.front(), "enter");
  EXPECT_EQ(target.events.back(), "drop copy");
  EXPECT_EQ(GetCapture(), nullptr);
  target.Revoke();
}

TEST(DropEffect, KeysChooseAmongTheAllowedEffects) {
  EXPECT_EQ(shell::effect_for_keys(0, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_MOVE);
  EXPECT_EQ(shell::effect_for_keys(0, DROPEFFECT_COPY), DROPEFFECT_COPY);
  EXPECT_EQ(shell::effect_for_keys(MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
  EXPECT_EQ(shell::effect_for_keys(MK_SHIFT, DROPEFFECT_COPY), DROPEFFECT_NONE);
  EXPECT_EQ(shell::effect_for_keys(MK_CONTROL | MK_SHIFT, DROPEFFECT_LINK | DROPEFFECT_COPY), DROPEFFECT_LINK);
}

}  // namespace
}  // namespace lumo::test
