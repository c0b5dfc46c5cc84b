// Copying the shown region or the selection of a laid-out topic as text and RTF.
#include <gtest/gtest.h>

#include "engine/frame/clipboard_render.h"
#include "engine/frame/selection.h"
#include "tests/display/display_topic.h"

namespace display_test {
namespace {

using layout_test::MemoryRecordSource;

uint32_t FakeRegister(const char*) { return 0xC0DE; }

TEST(Clipboard, RegionCopiesEveryParagraphAsTextAndRtf) {
  medview::MvSetClipFormatRegistrar(FakeRegister);
  DisplayTopic topic({Paragraph("Pierwszy \xBF\xF3\xB3w.|"), Paragraph("Drugi {x}|")});
  medview::TitleErrorCode error = 99;
  medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(&topic.viewer(), FALSE, 0, &error);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(error, 0);
  ASSERT_EQ(table->items.size(), 2u);
  EXPECT_EQ(table->items[0].format, 0xC0DEu);
  EXPECT_EQ(table->items[1].format, medview::kClipFormatText);
  EXPECT_EQ(AsText(table->items[1].data), "Pierwszy \xBF\xF3\xB3w.\r\nDrugi {x}\r\n");
  std::string rtf(table->items[0].data.begin(), table->items[0].data.end());
  EXPECT_NE(rtf.find("\\ansicpg1250"), std::string::npos);
  EXPECT_NE(rtf.find("\\'bf\\'f3\\'b3w."), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("Drugi \\'7bx\\'7d"), std::string::npos) << rtf;
  // Only text wanted: the text pair alone.
  table = medview::MvRenderClipFormats(&topic.viewer(), FALSE, medview::kClipFormatText, &error);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->items.size(), 1u);
  EXPECT_EQ(table->items[0].format, medview::kClipFormatText);
}

// Records whose commands end without a paragraph end (as the library compiler writes them) are
// paragraphs all the same: each ends its line, in the text and in the RTF, once the copy goes past it.
TEST(Clipboard, RecordsWithoutAParagraphEndCommandStillEndTheirLines) {
  medview::MvSetClipFormatRegistrar(FakeRegister);
  auto record = [](std::string_view text) {
    return layout_test::TextRecord({}, layout_test::Commands().Font(0).End(), text);
  };
  DisplayTopic topic({record("|Pierwszy \xBF\xF3\xB3w.|"), record("|Drugi|")});
  medview::TitleErrorCode error = 99;
  medview::ClipFormatTablePtr table = medview::MvRenderClipFormats(&topic.viewer(), FALSE, 0, &error);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(table->items.size(), 2u);
  const std::string text = AsText(table->items[1].data);
  EXPECT_EQ(text.substr(0, text.find("Drugi")), "Pierwszy \xBF\xF3\xB3w.\r\n");
  const std::string rtf(table->items[0].data.begin(), table->items[0].data.end());
  EXPECT_NE(rtf.find("w.}\\par"), std::string::npos) << rtf;
  // A selection inside the first record stays without a line end.
  medview::MvSetSelection(&topic.viewer(), MemoryRecordSource::PositionOf(0), 1, MemoryRecordSource::PositionOf(0), 9);
  EXPECT_EQ(AsText(medview::MvCopySelectionText(&topic.viewer(), &error)), "Pierwszy");
}

TEST(Clipboard, SelectionInsideOneWordCopiesThePlainWord) {
  DisplayTopic topic({Paragraph("Ustawa o podatku|")});
  medview::MvSetSelection(&topic.viewer(), MemoryRecordSource::PositionOf(0), 9, MemoryRecordSource::PositionOf(0),
                          16);
  medview::TitleErrorCode error = 99;
  EXPECT_EQ(AsText(medview::MvCopySelectionText(&topic.viewer(), &error)), "podatku");
  EXPECT_EQ(error, 0);
  medview::MvClearSelection(&topic.viewer(), nullptr);
  EXPECT_TRUE(medview::MvCopySelectionText(&topic.viewer(), &error).empty());
  EXPECT_EQ(error, medview::kViewNoSelection);
}

// A table laid out for copying: cell tabs between the cells, a table end after each row.
TEST(Clipboard, TableRowsEndOnTheirOwnLinesWithCellsSeparatedByTabs) {
  DisplayTopic topic({Paragraph("x|")});
  frame::LayoutFrame row;
  row.record = layout_test::TextRecord(adt::ParagraphInfo{}, layout_test::Commands().End(), "abcd");
  auto text = [](int32_t n) {
    frame::LayoutObject o;
    o.kind = frame::kObjText;
    o.firstChar = o.lastChar = o.anchor = o.data = n;
    o.length = 1;
    return o;
  };
  auto marker = [](uint8_t kind) {
    frame::LayoutObject o;
    o.kind = kind;
    return o;
  };
  row.objects = {text(0), marker(frame::kFlowCellTab), text(1), marker(frame::kFlowTableEnd),
                 text(2), marker(frame::kFlowCellTab), text(3), marker(frame::kFlowTableEnd)};
  datapres::TextWriter out;
  datapres::RtfWriter rtf;
  frame::FrRenderFrame(topic.viewer(), row, INT32_MIN, INT32_MAX, &rtf, &out);
  EXPECT_EQ(AsText(out.finish()), "a\tb\r\nc\td\r\n");
  EXPECT_EQ(rtf.body(),
            "\\pard\\ql\\fi0\\li0\\ri0\\sb0\\sa0\\sl0\\plain{\\f0\\fs20 a}\\tab{\\f0\\fs20 b}\\par"
            "{\\f0\\fs20 c}\\tab{\\f0\\fs20 d}\\par");
}

TEST(Clipboard, DamagedRecordGivesNoPartialCopy) {
  medview::MvSetClipFormatRegistrar(FakeRegister);
  DisplayTopic topic({Paragraph("cala|"), Bytes{0x20}, Paragraph("reszta|")});
  medview::TitleErrorCode error = 0;
  EXPECT_EQ(medview::MvRenderClipFormats(&topic.viewer(), FALSE, 0, &error), nullptr);
  EXPECT_EQ(error, medview::kViewNoMemory);
}

TEST(Clipboard, BusyViewerRendersNothing) {
  DisplayTopic topic({Paragraph("tekst|")});
  medview::ViewerBusy hold(&topic.viewer());
  medview::TitleErrorCode error = 0;
  EXPECT_EQ(medview::MvRenderClipFormats(&topic.viewer(), FALSE, 0, &error), nullptr);
  EXPECT_EQ(error, medview::kViewBusy);
}

}  // namespace
}  // namespace display_test
