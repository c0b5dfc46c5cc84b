// Metafiles played on the recording device, and recorded by the metafile context.
#include <gtest/gtest.h>

#include "platform/base/byte_io.h"
#include "platform/gdi/core/afx_gdi.h"
#include "platform/gdi/core/metafile_format.h"
#include "platform/gdi/core/metafile_player.h"
#include "platform/gdi/core/recording_device.h"
#include "tests/gdi_core/metafile_builder.h"

namespace {

using namespace gdi::wmf;
using gdi::testing::MetafileBuilder;

class Metafiles : public ::testing::Test {
 protected:
  void SetUp() override { dc_ = gdi::create_recording_dc(log_); }
  void TearDown() override { DeleteDC(dc_); }
  std::vector<std::string> play(const std::vector<uint8_t>& bytes) {
    log_->clear();
    EXPECT_TRUE(gdi::play_metafile(dc_, bytes));
    return *log_;
  }
  std::shared_ptr<gdi::RecordingLog> log_ = std::make_shared<gdi::RecordingLog>();
  HDC dc_ = nullptr;
};

using Lines = std::vector<std::string>;

// The same rectangle in each mapping mode the pictures use.
TEST_F(Metafiles, RectangleInEachMappingMode) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    const char* expected;
  } cases[] = {
      {"text", MetafileBuilder().add(META_RECTANGLE, {20, 40, 10, 5}).bytes(),
       "rectangle 5,10,40,20"},
      {"twips", MetafileBuilder().add(META_SETMAPMODE, {MM_TWIPS}).add(META_RECTANGLE, {-1440, 1440, 0, 0}).bytes(),
       "rectangle 0,0,96,96"},
      {"anisotropic",
       MetafileBuilder()
           .add(META_SETMAPMODE, {MM_ANISOTROPIC})
           .add(META_SETWINDOWORG, {100, 100})
           .add(META_SETWINDOWEXT, {1000, 2000})
           .add(META_SETVIEWPORTEXT, {100, 100})
           .add(META_RECTANGLE, {1100, 2100, 100, 100})
           .bytes(),
       "rectangle 0,0,100,100"},
      {"isotropic",
       MetafileBuilder()
           .add(META_SETMAPMODE, {MM_ISOTROPIC})
           .add(META_SETWINDOWEXT, {1000, 2000})
           .add(META_SETVIEWPORTEXT, {100, 100})
           .add(META_RECTANGLE, {1000, 2000, 0, 0})
           .bytes(),
       "rectangle 0,0,100,50"},
  };
  for (const Case& c : cases) {
    Lines lines = play(c.bytes);
    ASSERT_EQ(lines.size(), 1u) << c.name;
    EXPECT_EQ(lines[0].substr(0, lines[0].find(" pen")), c.expected) << c.name;
  }
  // Playback leaves the context's own mapping alone.
  EXPECT_EQ(GetMapMode(dc_), MM_TEXT);
}

TEST_F(Metafiles, ObjectsStateTextAndClipping) {
  auto bytes = MetafileBuilder()
                   .add(META_CREATEPENINDIRECT, {PS_DOT, 1, 0, 0x00FF, 0})
                   .add(META_CREATEBRUSHINDIRECT, {BS_HATCHED, 0x0000, 0x00FF, HS_CROSS})
                   .add(META_SELECTOBJECT, {0})
                   .add(META_SELECTOBJECT, {1})
                   .add(META_SETROP2, {R2_XORPEN})
                   .add(META_MOVETO, {2, 1})
                   .add(META_LINETO, {4, 3})
                   .add(META_POLYGON, {3, 0, 0, 10, 0, 5, 5})
                   .add(META_INTERSECTCLIPRECT, {50, 50, 0, 0})
                   .add(META_DELETEOBJECT, {0})
                   .add(META_SETTEXTCOLOR, {0x00FF, 0x0000})
                   .add(META_SETBKMODE, {TRANSPARENT})
                   .add(META_TEXTOUT, {3}, {'a', 'b', 'c', 0, 7, 0, 6, 0})
                   .add(0x7777, {1, 2, 3})  // unknown: skipped
                   .add(META_PATBLT, {0x0009, 0x0055, 4, 4, 0, 0})
                   .bytes();
  Lines lines = play(bytes);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "polyline 1,2 3,4 pen=dot/1/FF0000 rop2=7");
  EXPECT_EQ(lines[1],
            "polygons [0,0 10,0 5,5] pen=dot/1/FF0000 brush=hatch4/0000FF mode=1 rop2=7");
  // The system font (bold, 16 pixels): 9 pixels a character.
  EXPECT_EQ(lines[2].substr(0, 23), "text 6,7 \"abc\" dx=9,9,9");
  EXPECT_NE(lines[2].find("color=FF0000 clip=0,0,50,50"), std::string::npos) << lines[2];
  EXPECT_EQ(lines[3], "fill 0,0,4,4 rop=55 brush=hatch4/0000FF clip=0,0,50,50");
  // After playback the context is as it was.
  EXPECT_EQ(GetROP2(dc_), R2_COPYPEN);
  EXPECT_EQ(GetCurrentObject(dc_, OBJ_PEN), GetStockObject(BLACK_PEN));
  RECT box{};
  GetClipBox(dc_, &box);
  EXPECT_EQ(box.right, 1024);
}

TEST_F(Metafiles, MalformedBytesAreRefusedOrCutShort) {
  EXPECT_FALSE(gdi::play_metafile(dc_, std::vector<uint8_t>(10)));
  std::vector<uint8_t> bytes = MetafileBuilder().add(META_RECTANGLE, {1, 1, 0, 0}).bytes();
  // A record claiming more words than there are stops playback before it.
  std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + 18);
  const uint8_t huge[] = {0xFF, 0xFF, 0, 0, 0x1B, 0x04, 1, 0};
  cut.insert(cut.end(), huge, huge + sizeof huge);
  EXPECT_TRUE(play(cut).empty());
  // Records too short for their function, and object indexes out of range, are skipped.
  auto odd = MetafileBuilder()
                 .add(META_RECTANGLE, {1})
                 .add(META_SELECTOBJECT, {99})
                 .add(META_DELETEOBJECT, {-1})
                 .add(META_POLYGON, {1000, 0, 0})
                 .add(META_CREATEPENINDIRECT, {PS_SOLID, 1, 0, 0, 0})  // no free slot
                 .bytes(0);
  EXPECT_TRUE(play(odd).empty());
  // The placeable header in front is skipped.
  std::vector<uint8_t> placeable(22, 0);
  base::store_le32(placeable.data(), kPlaceableKey);
  placeable.insert(placeable.end(), bytes.begin(), bytes.end());
  EXPECT_EQ(play(placeable).size(), 1u);
}

// Objects take the lowest empty slot: the slots a picture emptied first (lowest before higher),
// then the ones never used; a full table drops the object. A picture filling all 65,535 slots
// plays in one pass over its records (each object used to search the table from the start).
TEST_F(Metafiles, ObjectsTakeTheLowestEmptySlot) {
  auto pen = [](MetafileBuilder& b, int red) -> MetafileBuilder& {
    return b.add(META_CREATEPENINDIRECT, {PS_SOLID, 1, 0, red, 0});
  };
  MetafileBuilder b;
  for (int red : {0x01, 0x02, 0x03, 0x04}) pen(b, red);
  b.add(META_DELETEOBJECT, {2}).add(META_DELETEOBJECT, {0});
  pen(pen(b, 0x10), 0x20);  // into slots 0 and 2
  pen(b, 0x30);             // the table of 4 is full: dropped
  for (int slot : {0, 1, 2, 3}) b.add(META_SELECTOBJECT, {slot}).add(META_LINETO, {5, slot + 1});
  Lines lines = play(b.bytes(4));
  ASSERT_EQ(lines.size(), 4u);
  const char* colours[] = {"100000", "020000", "200000", "040000"};
  for (size_t n = 0; n < 4; ++n) EXPECT_NE(lines[n].find(std::string("/1/") + colours[n]), std::string::npos) << lines[n];

  MetafileBuilder full;
  for (int n = 0; n < 0xFFFF; ++n) pen(full, n & 0xFF);
  pen(full.add(META_DELETEOBJECT, {1000}), 0xAB);
  full.add(META_SELECTOBJECT, {-2}).add(META_SELECTOBJECT, {1000}).add(META_LINETO, {5, 1});
  lines = play(full.bytes(0xFFFF));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("/1/AB0000"), std::string::npos) << lines[0];
}

TEST_F(Metafiles, HandlesKeepTheBytesAndPlayThem) {
  std::vector<uint8_t> bytes = MetafileBuilder().add(META_ELLIPSE, {10, 10, 0, 0}).bytes();
  HMETAFILE mf = SetMetaFileBitsEx(UINT(bytes.size()), bytes.data());
  ASSERT_NE(mf, nullptr);
  EXPECT_EQ(GetMetaFileBitsEx(mf, 0, nullptr), bytes.size());
  log_->clear();
  EXPECT_TRUE(PlayMetaFile(dc_, mf));
  EXPECT_EQ(log_->size(), 1u);
  EXPECT_TRUE(DeleteMetaFile(mf));
  EXPECT_FALSE(PlayMetaFile(dc_, mf));
  uint8_t junk[18] = {};
  EXPECT_EQ(SetMetaFileBitsEx(sizeof junk, junk), nullptr);
}

// The picture a bitmap becomes on the clipboard: anisotropic mapping with window extents of 15
// units per pixel and the bitmap stretched over them.
TEST_F(Metafiles, RecordedBitmapPicturePlaysBackScaled) {
  HDC rec = CreateMetaFile(nullptr);
  ASSERT_NE(rec, nullptr);
  SetMapMode(rec, MM_ANISOTROPIC);
  SetWindowExtEx(rec, 2 * 15, 1 * 15, nullptr);
  struct {
    BITMAPINFOHEADER h;
  } info{{40, 2, 1, 1, 24, BI_RGB, 0, 0, 0, 0, 0}};
  uint8_t bits[8] = {0, 0, 255, 255, 0, 0, 0, 0};
  EXPECT_EQ(StretchDIBits(rec, 0, 0, 30, 15, 0, 0, 2, 1, bits, reinterpret_cast<BITMAPINFO*>(&info),
                          DIB_RGB_COLORS, SRCCOPY),
            1);
  HMETAFILE mf = CloseMetaFile(rec);
  ASSERT_NE(mf, nullptr);
  EXPECT_EQ(GetObjectType(rec), 0u);
  // Played into a 60 x 30 pixel viewport.
  SetMapMode(dc_, MM_ANISOTROPIC);
  SetViewportExtEx(dc_, 60, 30, nullptr);
  SetWindowExtEx(dc_, 30, 15, nullptr);
  log_->clear();
  ASSERT_TRUE(PlayMetaFile(dc_, mf));
  ASSERT_EQ(log_->size(), 1u);
  EXPECT_EQ((*log_)[0], "transfer 0,0,60,30 from 0,0,2,1 of 2x1x24 rop=CC");
  DeleteMetaFile(mf);
}

// A palette realized in a metafile context is recorded as created, selected and realized, counted
// among the metafile's objects; the metafile plays.
TEST_F(Metafiles, RealizedPaletteIsRecordedAndPlayedBack) {
  HDC rec = CreateMetaFile(nullptr);
  ASSERT_NE(rec, nullptr);
  std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = 2;
  logical->palPalEntry[0] = PALETTEENTRY{10, 20, 30, 0};
  logical->palPalEntry[1] = PALETTEENTRY{200, 100, 50, 0};
  HPALETTE palette = CreatePalette(logical);
  ASSERT_NE(palette, nullptr);
  SelectPalette(rec, palette, FALSE);
  EXPECT_EQ(RealizePalette(rec), 0u);
  HMETAFILE mf = CloseMetaFile(rec);
  ASSERT_NE(mf, nullptr);
  std::vector<uint8_t> bytes(GetMetaFileBitsEx(mf, 0, nullptr));
  ASSERT_EQ(GetMetaFileBitsEx(mf, UINT(bytes.size()), bytes.data()), bytes.size());
  EXPECT_EQ(base::load_le16(bytes.data() + 10), 1);  // one object
  std::vector<uint16_t> functions;
  std::vector<uint8_t> createParams;
  for (size_t at = 18; at + 6 <= bytes.size();) {
    uint32_t words = base::load_le32(bytes.data() + at);
    uint16_t function = base::load_le16(bytes.data() + at + 4);
    functions.push_back(function);
    if (function == META_CREATEPALETTE) createParams.assign(bytes.begin() + std::ptrdiff_t(at + 6), bytes.begin() + std::ptrdiff_t(at + words * 2));
    if (words < 3) break;
    at += words * 2;
  }
  EXPECT_EQ(functions, (std::vector<uint16_t>{META_CREATEPALETTE, META_SELECTPALETTE, META_REALIZEPALETTE, META_EOF}));
  EXPECT_EQ(createParams, (std::vector<uint8_t>{0, 3, 2, 0, 10, 20, 30, 0, 200, 100, 50, 0}));
  EXPECT_TRUE(PlayMetaFile(dc_, mf));
  DeleteMetaFile(mf);
  DeleteObject(palette);
}

}  // namespace
