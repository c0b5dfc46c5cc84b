// The act drag of the lists and trees over a program started on the sample library: what a drag of
// an act, an act part, a journal issue and a yearbook carries for every copy format, and a real drag
// inside the program, which always carries "Topic Info".
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/frame/clipboard_render.h"
#include "navigation/topic_citation.h"
#include "navigation/topic_ole.h"
#include "platform/base/cp1250.h"
#include "platform/shell/clipboard.h"
#include "shell/lumo_app.h"
#include "tests/support/app_fixture.h"
#include "tests/support/synthetic_input.h"

namespace {

std::string TextOf(const std::vector<uint8_t>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  return text.substr(0, text.find('\0'));
}

class ActDragTest : public lumo::test::AppTest {
 protected:
  ActDragTest() : AppTest("binder_gui_sample", IDNO) {}

  void SetUp() override {
    AppTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(StartWithLibrary());
    const shell::ContentsIndexReader& catalog = app_->GetCatalog();
    for (int32_t n = 0; n < catalog.RecordCount(); ++n) {
      shell::ContentsRecord r;
      if (!catalog.ReadRecord(n, r)) continue;
      if (r.level == 7 && !r.attachment && r.year >= 100 && act_2000s_ < 0) act_2000s_ = n;
      if (r.level == 7 && !r.attachment && r.year < 100 && act_ < 0) act_ = n;
      if (r.level < 7 && r.level > 0 && part_ < 0) part_ = n;
      if (r.level == 8 && issue_ < 0) issue_ = n;
      if (r.level == 9 && yearbook_ < 0) yearbook_ = n;
    }
    ASSERT_GE(act_, 0);
    ASSERT_GE(act_2000s_, 0);
    ASSERT_GE(part_, 0);
    ASSERT_GE(issue_, 0);
    ASSERT_GE(yearbook_, 0);
  }

  std::string Citation(int32_t record, int format) const {
    shell::ActDescription d;
    shell::ContentsRecord r;
    app_->GetCatalog().ReadRecord(record, r);
    app_->GetCatalog().Describe(record, d);
    return topicdrag::CitationText(d, r.level, format);
  }

  int32_t act_ = -1, act_2000s_ = -1, part_ = -1, issue_ = -1, yearbook_ = -1;
};

TEST_F(ActDragTest, PayloadsPerLevelAndCopyFormat) {
  const UINT info_format = topicdrag::TopicInfoFormat();
  const UINT rtf = medview::MvRtfClipFormat();
  ASSERT_NE(rtf, 0u);
  struct Case {
    const char* what;
    int32_t record;
    int format;
    bool ctrl;
    bool rendered;  // RTF and text from the engine instead of a citation
  } cases[] = {
      {"act, citation", act_, 1, false, false},
      {"act of the 2000s, citation", act_2000s_, 1, false, false},
      {"act, row", act_, 2, false, false},
      {"act part, citation", part_, 1, false, false},
      {"issue, citation", issue_, 1, false, false},
      {"issue, row", issue_, 2, false, false},
      {"yearbook, citation", yearbook_, 1, false, false},
      {"yearbook, row", yearbook_, 2, false, false},
      {"act, heading rendered", act_, 3, false, true},
      {"act, heading rendered, Ctrl ignored", act_, 3, true, true},
      {"act, format 4 without Ctrl", act_, 4, false, true},
      {"act, format 4 with Ctrl: the whole unit", act_, 4, true, true},
      {"act part, rendered", part_, 3, false, true},
  };
  int other = 0;
  std::map<std::string, std::string> rendered_text;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    COleDataSource data;
    topicdrag::BuildTopicDrag(data, c.record, &other, topicdrag::kFromLibrary, c.format, c.ctrl);
    const auto& formats = data.formats();
    // "Topic Info" always, read back as a target reads it.
    ASSERT_TRUE(formats.count(info_format));
    topicdrag::TopicInfoBlock block;
    ASSERT_TRUE(topicdrag::ReadDroppedTopic(formats.at(info_format), app_->GetCatalog(), block));
    EXPECT_EQ(block.record, c.record);
    EXPECT_EQ(block.source_window, topicdrag::WindowToken(&other));
    EXPECT_EQ(block.source_kind, topicdrag::kFromLibrary);
    // Text in both encodings, the same words.
    ASSERT_TRUE(formats.count(CF_TEXT));
    ASSERT_TRUE(formats.count(CF_UNICODETEXT));
    const std::string text = TextOf(formats.at(CF_TEXT));
    EXPECT_EQ(TextOf(formats.at(CF_UNICODETEXT)), base::cp1250::to_utf8(text));
    EXPECT_FALSE(text.empty());
    if (c.rendered) {
      ASSERT_TRUE(formats.count(rtf));
      EXPECT_EQ(TextOf(formats.at(rtf)).rfind("{\\rtf", 0), 0u);
      rendered_text[c.what] = text;
    } else {
      EXPECT_FALSE(formats.count(rtf));
      EXPECT_EQ(text, Citation(c.record, c.format));
      EXPECT_EQ(formats.size(), 3u);
    }
  }
  // The citations show full years and the fixed wording.
  EXPECT_NE(Citation(act_2000s_, 1).find("(Dz. U. z 20"), std::string::npos) << Citation(act_2000s_, 1);
  EXPECT_EQ(Citation(act_2000s_, 1).find("z 19"), std::string::npos) << Citation(act_2000s_, 1);
  EXPECT_NE(Citation(yearbook_, 1).find("rocznik "), std::string::npos);
  EXPECT_NE(Citation(act_, 1).find(" z dnia "), std::string::npos);
  // The compiler's libraries keep an act's heading at the start of its text (no heading region), so
  // the heading's rendering is the unit's, which starts with the heading's words.
  EXPECT_EQ(rendered_text["act, format 4 with Ctrl: the whole unit"], rendered_text["act, format 4 without Ctrl"]);
  EXPECT_EQ(rendered_text["act, heading rendered, Ctrl ignored"], rendered_text["act, heading rendered"]);
  EXPECT_NE(rendered_text["act, heading rendered"].find("USTAWA"), std::string::npos);
}

TEST_F(ActDragTest, ARecordOutsideTheCatalogueCarriesOnlyTopicInfo) {
  int other = 0;
  COleDataSource data;
  topicdrag::BuildTopicDrag(data, app_->GetCatalog().RecordCount() + 5, &other, topicdrag::kFromHistory, 1, false);
  EXPECT_EQ(data.formats().size(), 1u);
  EXPECT_TRUE(data.formats().count(topicdrag::TopicInfoFormat()));
}

// A window whose press starts the program's act drag of one record.
class DragStarter : public CWnd {
 public:
  int32_t record = 0;
  DROPEFFECT result = DROPEFFECT_NONE;
  afx_msg void OnLButtonDown(UINT, CPoint) { result = LumoApp()->DragTopic(record, this, topicdrag::kFromLibrary); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DragStarter, CWnd)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class RecordingTarget : public COleDropTarget {
 public:
  std::vector<UINT> formats;
  std::vector<uint8_t> info;
  std::string text;
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint) override { return DROPEFFECT_COPY; }
  BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint) override {
    for (UINT f : {UINT(CF_TEXT), UINT(CF_UNICODETEXT), topicdrag::TopicInfoFormat(), medview::MvRtfClipFormat()}) {
      if (data->IsDataAvailable(f)) formats.push_back(f);
    }
    info = data->GetData(topicdrag::TopicInfoFormat());
    text = TextOf(data->GetData(CF_TEXT));
    return TRUE;
  }
};

TEST_F(ActDragTest, ADragInsideTheProgramAlwaysCarriesTopicInfo) {
  for (int format : {1, 2, 3, 4}) {
    SCOPED_TRACE(format);
    app_->GetUserData().m_nCopyFormat = format;
    CWnd top;
    ASSERT_TRUE(top.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 200), nullptr, 0));
    DragStarter source;
    source.record = act_;
    ASSERT_TRUE(source.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &top, 1));
    CWnd sink;
    ASSERT_TRUE(sink.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(200, 0, 300, 100), &top, 2));
    RecordingTarget target;
    ASSERT_TRUE(target.Register(&sink));
    pump();
    lumo::test::mouse_down(lumo::test::screen_point(source.m_hWnd, POINT{10, 10}));
    lumo::test::when_captured([&] {
      lumo::test::mouse_move(lumo::test::screen_point(sink.m_hWnd, POINT{10, 10}));
      lumo::test::mouse_up(lumo::test::screen_point(sink.m_hWnd, POINT{20, 15}));
    });
    pump();
    EXPECT_EQ(source.result, DROPEFFECT_COPY);
    topicdrag::TopicInfoBlock block;
    ASSERT_TRUE(topicdrag::ReadDroppedTopic(target.info, app_->GetCatalog(), block));
    EXPECT_EQ(block.record, act_);
    EXPECT_EQ(block.source_window, topicdrag::WindowToken(&source));
    EXPECT_FALSE(target.text.empty());
    if (format <= 2) {
      EXPECT_EQ(target.text, Citation(act_, format));
    }
    target.Revoke();
    topicdrag::ForgetWindowToken(&source);
  }
}

}  // namespace
