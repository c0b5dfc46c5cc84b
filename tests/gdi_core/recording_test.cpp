// Every primitive on the recording device: what reaches the device, in device pixels.
#include <gtest/gtest.h>

#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/recording_device.h"

namespace {

class Recording : public ::testing::Test {
 protected:
  void SetUp() override { dc_ = gdi::create_recording_dc(log_); }
  void TearDown() override { DeleteDC(dc_); }
  // The lines written since the last call.
  std::vector<std::string> take() {
    std::vector<std::string> out;
    out.swap(*log_);
    return out;
  }
  std::shared_ptr<gdi::RecordingLog> log_ = std::make_shared<gdi::RecordingLog>();
  HDC dc_ = nullptr;
};

using Lines = std::vector<std::string>;

TEST_F(Recording, LinesAndShapes) {
  MoveToEx(dc_, 1, 2, nullptr);
  LineTo(dc_, 10, 2);
  POINT tri[] = {{0, 0}, {10, 0}, {5, 8}};
  Polyline(dc_, tri, 3);
  Polygon(dc_, tri, 3);
  Rectangle(dc_, 1, 1, 5, 5);
  Ellipse(dc_, 0, 0, 20, 10);
  Arc(dc_, 0, 0, 20, 20, 20, 10, 0, 10);
  EXPECT_EQ(take(), (Lines{
                        "polyline 1,2 10,2 pen=solid/1/000000 rop2=13",
                        "polyline 0,0 10,0 5,8 pen=solid/1/000000 rop2=13",
                        "polygons [0,0 10,0 5,8] pen=solid/1/000000 brush=solid/FFFFFF mode=1 rop2=13",
                        "rectangle 1,1,5,5 pen=solid/1/000000 brush=solid/FFFFFF rop2=13",
                        "ellipse 0,0,20,10 pen=solid/1/000000 brush=solid/FFFFFF",
                        "arc 0,0,20,20 from 20,10 to 0,10 pen=solid/1/000000",
                    }));
  POINT pos{};
  GetCurrentPositionEx(dc_, &pos);
  EXPECT_EQ(pos.x, 10);
}

TEST_F(Recording, FillsInversionAndPatterns) {
  RECT r{2, 3, 12, 13};
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
  FillRect(dc_, &r, hatch);
  InvertRect(dc_, &r);
  FrameRect(dc_, &r, hatch);
  SelectObject(dc_, hatch);
  PatBlt(dc_, 0, 0, 4, 4, PATINVERT);
  // A negative extent still covers the same pixels.
  PatBlt(dc_, 4, 4, -4, -4, DSTINVERT);
  DrawFocusRect(dc_, &r);
  SelectObject(dc_, GetStockObject(WHITE_BRUSH));
  DeleteObject(hatch);
  EXPECT_EQ(take(), (Lines{
                        "fill 2,3,12,13 rop=F0 brush=hatch4/FF0000",
                        "fill 2,3,12,13 rop=55 brush=solid/FFFFFF",
                        "fill 2,3,12,4 rop=F0 brush=hatch4/FF0000",
                        "fill 2,12,12,13 rop=F0 brush=hatch4/FF0000",
                        "fill 2,4,3,12 rop=F0 brush=hatch4/FF0000",
                        "fill 11,4,12,12 rop=F0 brush=hatch4/FF0000",
                        "fill 0,0,4,4 rop=5A brush=hatch4/FF0000",
                        "fill 0,0,4,4 rop=55 brush=hatch4/FF0000",
                        "fill 2,3,12,4 rop=5A brush=pattern2x2",
                        "fill 2,12,12,13 rop=5A brush=pattern2x2",
                        "fill 2,4,3,12 rop=5A brush=pattern2x2",
                        "fill 11,4,12,12 rop=5A brush=pattern2x2",
                    }));
}

TEST_F(Recording, PensBrushesAndRasterOperations) {
  HPEN dotted = CreatePen(PS_DOT, 1, RGB(0, 0, 255));
  SelectObject(dc_, dotted);
  SelectObject(dc_, GetStockObject(NULL_BRUSH));
  SetROP2(dc_, R2_XORPEN);
  Rectangle(dc_, 0, 0, 4, 4);
  SelectObject(dc_, GetStockObject(NULL_PEN));
  SetROP2(dc_, R2_NOT);
  Rectangle(dc_, 0, 0, 4, 4);
  // A wide styled pen draws solid.
  HPEN wide = CreatePen(PS_DASH, 3, RGB(0, 0, 0));
  SelectObject(dc_, wide);
  LineTo(dc_, 5, 5);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  DeleteObject(dotted);
  DeleteObject(wide);
  EXPECT_EQ(take(), (Lines{
                        "rectangle 0,0,4,4 pen=dot/1/0000FF brush=null rop2=7",
                        "rectangle 0,0,4,4 pen=null brush=null rop2=6",
                        "polyline 0,0 5,5 pen=solid/3/000000 rop2=6",
                    }));
  EXPECT_EQ(gdi::rop3_of_rop2(R2_COPYPEN), PATCOPY & 0xFF0000);
  EXPECT_EQ(gdi::rop3_of_rop2(R2_XORPEN), PATINVERT & 0xFF0000);
  EXPECT_EQ(gdi::rop3_of_rop2(R2_NOT), DSTINVERT & 0xFF0000);
  EXPECT_EQ(gdi::rop3_of_rop2(R2_BLACK), BLACKNESS & 0xFF0000);
}

TEST_F(Recording, ShapesFollowTheMapping) {
  SetMapMode(dc_, MM_TWIPS);
  Rectangle(dc_, 0, 0, 1440, -720);
  HPEN pen = CreatePen(PS_SOLID, 30, RGB(0, 0, 0));  // 30 twips: 2 pixels
  SelectObject(dc_, pen);
  MoveToEx(dc_, 0, -1440, nullptr);
  LineTo(dc_, 1440, -1440);
  SelectObject(dc_, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  EXPECT_EQ(take(), (Lines{
                        "rectangle 0,0,96,48 pen=solid/1/000000 brush=solid/FFFFFF rop2=13",
                        "polyline 0,96 96,96 pen=solid/2/000000 rop2=13",
                    }));
}

TEST_F(Recording, ClippingIsPassedInDeviceCoordinates) {
  IntersectClipRect(dc_, 10, 10, 50, 50);
  ExcludeClipRect(dc_, 20, 0, 30, 100);
  RECT r{0, 0, 100, 100};
  InvertRect(dc_, &r);
  EXPECT_EQ(take(), (Lines{"fill 0,0,100,100 rop=55 brush=solid/FFFFFF "
                           "clip=10,10,20,50;30,10,50,50"}));
  EXPECT_FALSE(PtVisible(dc_, 25, 25));
  EXPECT_TRUE(PtVisible(dc_, 15, 25));
  RECT inside{21, 0, 29, 100};
  EXPECT_FALSE(RectVisible(dc_, &inside));
  HRGN rgn = CreateRectRgn(0, 0, 5, 5);
  EXPECT_EQ(SelectClipRgn(dc_, rgn), SIMPLEREGION);
  EXPECT_EQ(ExtSelectClipRgn(dc_, rgn, RGN_XOR), NULLREGION);
  EXPECT_EQ(SelectClipRgn(dc_, nullptr), SIMPLEREGION);
  RECT box{};
  GetClipBox(dc_, &box);
  EXPECT_EQ(box.right, 1024);
  DeleteObject(rgn);
}

TEST_F(Recording, TextOutPaintsTheBackgroundThenTheGlyphs) {
  HFONT font = CreateFont(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, "Arial CE");
  SelectObject(dc_, font);
  SetTextColor(dc_, RGB(255, 0, 0));
  TextOut(dc_, 10, 20, "Wil", 3);
  // Character height 16: cell 18, widths W 14, i and l 5.
  int dx[] = {7, 8, 9};
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_RIGHT | TA_BASELINE);
  ExtTextOut(dc_, 100, 100, 0, nullptr, "abc", 3, dx);
  SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_UPDATECP);
  MoveToEx(dc_, 5, 5, nullptr);
  TextOut(dc_, 0, 0, "ab", 2);
  POINT pos{};
  GetCurrentPositionEx(dc_, &pos);
  EXPECT_EQ(pos.x, 5 + 9 + 9);
  SetTextAlign(dc_, TA_LEFT | TA_TOP);
  RECT clip{0, 0, 8, 8};
  ExtTextOut(dc_, 1, 1, ETO_OPAQUE | ETO_CLIPPED, &clip, "x", 1, nullptr);
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  EXPECT_EQ(take(), (Lines{
                        "fill 10,20,34,38 rop=F0 brush=solid/FFFFFF",
                        "text 10,20 \"Wil\" dx=14,5,5 font=Arial CE/-16/400 color=FF0000",
                        // Right-aligned on the baseline: 24 wide, ascent 14.
                        "text 76,86 \"abc\" dx=7,8,9 font=Arial CE/-16/400 color=FF0000",
                        "text 5,5 \"ab\" dx=9,9 font=Arial CE/-16/400 color=FF0000",
                        "fill 0,0,8,8 rop=F0 brush=solid/FFFFFF",
                        "text 1,1 \"x\" dx=9 font=Arial CE/-16/400 color=FF0000 rect=0,0,8,8",
                    }));
}

TEST_F(Recording, TextAdvancesAreConvertedWithoutDrift) {
  SetMapMode(dc_, MM_ANISOTROPIC);
  SetWindowExtEx(dc_, 3, 3, nullptr);
  SetViewportExtEx(dc_, 1, 1, nullptr);
  SetBkMode(dc_, TRANSPARENT);
  int dx[] = {2, 2, 2, 2, 2, 2};
  ExtTextOut(dc_, 0, 0, 0, nullptr, "aaaaaa", 6, dx);
  // Positions 2/3, 4/3, 2, 8/3, 10/3, 4 round to 1, 1, 2, 3, 3, 4: advances sum to 4.
  Lines lines = take();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("dx=1,0,1,1,0,1 "), std::string::npos) << lines[0];
}

TEST_F(Recording, MeasuringFollowsTheFixedMetrics) {
  HFONT font = CreateFont(20, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, "Times New Roman");
  SelectObject(dc_, font);
  TEXTMETRIC tm{};
  ASSERT_TRUE(GetTextMetrics(dc_, &tm));
  EXPECT_EQ(tm.tmHeight, 20);
  EXPECT_EQ(tm.tmAscent, 16);
  EXPECT_EQ(tm.tmDescent, 4);
  EXPECT_EQ(tm.tmInternalLeading, 2);
  EXPECT_EQ(tm.tmExternalLeading, 2);
  int widths[3];
  ASSERT_TRUE(GetCharWidth32(dc_, 'i', 'k', widths));
  EXPECT_EQ(widths[0], 6);   // narrow 5 + bold 1
  EXPECT_EQ(widths[2], 11);  // normal 10 + bold 1
  SetTextCharacterExtra(dc_, 2);
  SIZE size{};
  ASSERT_TRUE(GetTextExtentPoint32(dc_, "ik", 2, &size));
  EXPECT_EQ(size.cx, 6 + 11 + 4);
  EXPECT_EQ(size.cy, 20);
  int fit = 0, extents[2];
  GetTextExtentExPoint(dc_, "ik", 2, 10, &fit, extents, &size);
  EXPECT_EQ(fit, 1);
  EXPECT_EQ(extents[1], 21);
  EXPECT_EQ(GetKerningPairs(dc_, 0, nullptr), 4u);
  KERNINGPAIR pairs[4];
  EXPECT_EQ(GetKerningPairs(dc_, 4, pairs), 4u);
  EXPECT_EQ(pairs[0].wFirst, 'A');
  EXPECT_EQ(pairs[0].iKernAmount, -2);
  char face[LF_FACESIZE];
  EXPECT_EQ(GetTextFace(dc_, sizeof face, face), 15);
  EXPECT_STREQ(face, "Times New Roman");
  // Twips: the 20-pixel font measures 300 twips high.
  SetMapMode(dc_, MM_TWIPS);
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  HFONT twips_font = CreateFont(-240, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(dc_, twips_font);
  GetTextMetrics(dc_, &tm);
  EXPECT_EQ(tm.tmHeight, 270);  // 16 pixels of character height, cell 18 pixels
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  DeleteObject(twips_font);
}

TEST_F(Recording, FontFamiliesAreEnumeratedByName) {
  struct Found {
    int calls = 0;
    LOGFONT font{};
  } found;
  auto proc = [](const LOGFONT* lf, const TEXTMETRIC* tm, DWORD type, LPARAM data) {
    auto* f = reinterpret_cast<Found*>(data);
    ++f->calls;
    f->font = *lf;
    EXPECT_EQ(type, TRUETYPE_FONTTYPE);
    EXPECT_GT(tm->tmHeight, 0);
    return 7;
  };
  EXPECT_EQ(EnumFontFamilies(dc_, "Arial CE", proc, LPARAM(&found)), 7);
  EXPECT_EQ(found.calls, 1);
  EXPECT_STREQ(found.font.lfFaceName, "Arial CE");
  EXPECT_EQ(found.font.lfCharSet, EASTEUROPE_CHARSET);
  EXPECT_EQ(EnumFontFamilies(dc_, nullptr, proc, LPARAM(&found)), 1);
  EXPECT_EQ(found.calls, 1);
}

TEST_F(Recording, DrawTextAlignsBreaksAndMeasures) {
  HFONT font = CreateFont(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  SelectObject(dc_, font);
  SetBkMode(dc_, TRANSPARENT);
  // Widths at cell height 16: normal 8, narrow 4, space 4.
  RECT r{0, 0, 100, 40};
  EXPECT_EQ(DrawText(dc_, "abc", -1, &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER), 16);
  RECT calc{0, 0, 40, 0};
  EXPECT_EQ(DrawText(dc_, "aaa bbb ccc", -1, &calc, DT_WORDBREAK | DT_CALCRECT), 48);
  EXPECT_EQ(calc.bottom, 48);
  RECT single{0, 0, 0, 0};
  DrawText(dc_, "a&&b", -1, &single, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(single.right, 24);
  RECT narrow{0, 0, 30, 16};
  DrawText(dc_, "abcdefgh", -1, &narrow, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  RECT right{0, 50, 100, 66};
  DrawText(dc_, "&File\tx", -1, &right, DT_RIGHT | DT_EXPANDTABS);
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  Lines lines = take();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "text 38,12 \"abc\" dx=8,8,8 font=Arial/16/400 color=000000 rect=0,0,100,40");
  // "ab" and the ellipsis (three 4-pixel dots) fit in 30 pixels.
  EXPECT_EQ(lines[1], "text 0,0 \"ab...\" dx=8,8,4,4,4 font=Arial/16/400 color=000000 rect=0,0,30,16");
  // The tab reaches the stop at 64 (eight average widths); the line ends at 72, right-aligned
  // to 100; 'F' is underlined.
  EXPECT_EQ(lines[2], "text 28,50 \"File\" dx=8,4,4,8 font=Arial/16/400 color=000000 rect=0,50,100,66");
  EXPECT_EQ(lines[3], "text 92,50 \"x\" dx=8 font=Arial/16/400 color=000000 rect=0,50,100,66");
  EXPECT_EQ(lines[4], "polyline 28,64 36,64 pen=solid/1/000000 rop2=13");
}

TEST_F(Recording, EdgesAndFrameControlsUseTheClassicColours) {
  RECT r{0, 0, 10, 10};
  DrawEdge(dc_, &r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.right, 8);
  Lines lines = take();
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "fill 0,0,1,10 rop=F0 brush=solid/808080");
  EXPECT_EQ(lines[2], "fill 9,0,10,10 rop=F0 brush=solid/FFFFFF");
  RECT button{0, 0, 16, 14};
  DrawFrameControl(dc_, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
  lines = take();
  ASSERT_GE(lines.size(), 10u);
  EXPECT_EQ(lines[8], "fill 2,2,14,12 rop=F0 brush=solid/C0C0C0");
  // The cross is drawn in pixel runs in the glyph colour, not through a symbol font.
  EXPECT_EQ(lines[9].rfind("fill ", 0), 0u);
  EXPECT_NE(lines[9].find("brush=solid/000000"), std::string::npos);
}

TEST_F(Recording, PixelsDocumentsAndMemoryContexts) {
  SetPixel(dc_, 3, 4, RGB(1, 2, 3));
  DOCINFO info{sizeof(DOCINFO), "Ustawa", nullptr, nullptr, 0};
  StartDoc(dc_, &info);
  StartPage(dc_);
  EndPage(dc_);
  EndDoc(dc_);
  HDC mem = CreateCompatibleDC(dc_);
  HBITMAP bm = CreateCompatibleBitmap(dc_, 20, 10);
  HGDIOBJ old = SelectObject(mem, bm);
  BitBlt(dc_, 5, 5, 20, 10, mem, 0, 0, SRCCOPY);
  StretchBlt(dc_, 0, 0, 40, 20, mem, 0, 0, 20, 10, SRCINVERT);
  BitBlt(dc_, 0, 0, 2, 2, nullptr, 0, 0, BLACKNESS);
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(bm);
  EXPECT_EQ(take(), (Lines{
                        "pixel 3,4 010203",
                        "start_doc Ustawa",
                        "start_page",
                        "end_page",
                        "end_doc",
                        "mem bitmap 1x1x1",
                        "mem bitmap 20x10x24",
                        "transfer 5,5,25,15 from 0,0,20,10 of none rop=CC",
                        "transfer 0,0,40,20 from 0,0,20,10 of none rop=66",
                        "fill 0,0,2,2 rop=00 brush=solid/FFFFFF",
                        "mem bitmap 1x1x1",
                    }));
}


TEST_F(Recording, PolygonRegionsFillAndFrameAsRectangles) {
  POINT diamond[] = {{2, 0}, {4, 2}, {2, 4}, {0, 2}};
  HRGN rgn = CreatePolygonRgn(diamond, 4, ALTERNATE);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRgn(dc_, rgn, red);
  EXPECT_EQ(take(), (Lines{
                        "fill 1,0,2,1 rop=F0 brush=solid/FF0000",
                        "fill 0,1,3,3 rop=F0 brush=solid/FF0000",
                        "fill 1,3,2,4 rop=F0 brush=solid/FF0000",
                    }));
  // The same diamond clips: a fill over it reaches the device as its rectangles.
  SelectClipRgn(dc_, rgn);
  RECT all{0, 0, 10, 10};
  FillRect(dc_, &all, red);
  Lines clipped = take();
  ASSERT_EQ(clipped.size(), 1u);
  SelectClipRgn(dc_, nullptr);
  FrameRgn(dc_, rgn, red, 1, 1);
  Lines framed = take();
  EXPECT_FALSE(framed.empty());
  DeleteObject(red);
  DeleteObject(rgn);
}


TEST_F(Recording, TurnedTextPassesItsTurnedCellAndAngle) {
  HFONT font = CreateFont(-16, 0, 900, 900, FW_NORMAL, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0, 0, "Arial CE");
  SelectObject(dc_, font);
  // Cell 18 high, "Wil" 24 long: the background stands upright above the anchor.
  TextOut(dc_, 10, 100, "Wil", 3);
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_RIGHT | TA_BASELINE);
  TextOut(dc_, 50, 50, "Wil", 3);
  SelectObject(dc_, GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
  EXPECT_EQ(take(), (Lines{
                        "polygons [10,100 10,76 28,76 28,100] pen=null brush=solid/FFFFFF mode=1 rop2=13",
                        "text 10,100 \"Wil\" dx=14,5,5 font=Arial CE/-16/400 color=000000 angle=900",
                        // Right-aligned on the baseline: 24 below the anchor, ascent 14 to its left.
                        "text 36,74 \"Wil\" dx=14,5,5 font=Arial CE/-16/400 color=000000 angle=900",
                    }));
}
}  // namespace
