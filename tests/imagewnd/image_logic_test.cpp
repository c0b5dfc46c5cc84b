// The image window's plain parts: the option tokenizer, picture paths, the hotspot set with its
// trees, PLY2 files and picture hotspot tables, focus stepping, and the packed bitmaps.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "pictures/imagewnd/image_hotspots.h"
#include "pictures/imagewnd/image_options.h"
#include "pictures/imagewnd/packed_dib.h"
#include "pictures/imagewnd/picture_types.h"
#include "tests/imagewnd/image_test_files.h"
#include "tests/layout/record_builder.h"

namespace imagewnd {
namespace {

using imagewnd_test::Ply2File;
using imagewnd_test::Ply2Record;

TEST(ImageOptions, TokenizerTakesItemsBareNamesQuotesAndCutItems) {
  struct Case {
    const char* text;
    std::vector<ImageOption> options;
  };
  const Case cases[] = {
      {"[FILENAME=a.bmp] [CAPTION=Rys. 1]", {{"FILENAME", "a.bmp"}, {"CAPTION", "Rys. 1"}}},
      {"a.bmp", {{"FILENAME", "a.bmp"}}},
      {"  [CAPTION=Rys. 2", {{"CAPTION", "Rys. 2"}}},
      {"[CAPTION=\"Ryc. [1] \"\"mała\"\" \" ok] b.bmp", {{"CAPTION", "Ryc. [1] \"mała\"  ok"}, {"FILENAME", "b.bmp"}}},
      {"[XYZ pic.bmp]", {{"XYZ", std::nullopt}, {"FILENAME", "pic.bmp"}}},
      {"[NOINVERT]\t[HOTSPOTS = rys.ply ]", {{"NOINVERT", std::nullopt}, {"HOTSPOTS", std::nullopt}, {"FILENAME", "= rys.ply "}}},
      {"[", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ImgTokenizeOptions(c.text), c.options) << c.text;
}

TEST(ImageOptions, SixteenColourFileWinsOnlyOnScreensOfFewColours) {
  for (const char* text : {"[16COLOR=b16.bmp] [FILENAME=b.bmp]", "[FILENAME=b.bmp] [16COLOR=b16.bmp]"}) {
    EXPECT_EQ(ImgReadOptions(text, 32, false).pictureFile, "b.bmp") << text;
    EXPECT_EQ(ImgReadOptions(text, 8, false).pictureFile, "b.bmp") << text;
    EXPECT_EQ(ImgReadOptions(text, 4, false).pictureFile, "b16.bmp") << text;
  }
  const ImageWindowOptions o =
      ImgReadOptions("[caption=Rys. ąęł] [forcetype=BMXX] [noprint] [hotmacro=JumpId(`a')] [Copyright=© 2001]", 32, false);
  EXPECT_EQ(o.caption, "Rys. ąęł");
  EXPECT_EQ(o.forcedType, "BMXX");
  EXPECT_FALSE(o.refused);
  EXPECT_EQ(o.macro, "JumpId(`a')");
  EXPECT_EQ(o.notice, "© 2001");
  EXPECT_TRUE(ImgReadOptions("[NOPRINT] a.bmp", 32, true).refused);
}

TEST(ImageOptions, PicturePathsStayBesideTheTitle) {
  EXPECT_EQ(ImgPicturePath("/lib/du.m14", "rys\\a.bmp"), "/lib/rys/a.bmp");
  EXPECT_EQ(ImgPicturePath("/lib/du.m14", "a..b.bmp"), "/lib/a..b.bmp");
  EXPECT_EQ(ImgPicturePath("", "a.bmp"), "a.bmp");
  for (const char* bad : {"../a.bmp", "rys\\..\\..\\etc\\passwd", "/etc/passwd", "\\etc\\passwd", "C:\\a.bmp", "a/..", ""})
    EXPECT_FALSE(ImgPicturePath("/lib/du.m14", bad)) << bad;
}

HotspotRecord Box(uint16_t number, int32_t l, int32_t t, int32_t r, int32_t b, uint16_t level = 2) {
  HotspotRecord h;
  h.number = number;
  h.level = level;
  h.left = l, h.top = t, h.right = r, h.bottom = b;
  return h;
}

TEST(ImageHotspots, HostileBoxesAreRefusedOrPlacedAndInsertionEnds) {
  HotspotSet set(200, 100, 3, 8);
  EXPECT_FALSE(set.add(Box(0, 10, 10, 10, 20)));        // empty across
  EXPECT_FALSE(set.add(Box(0, 10, 20, 30, 20)));        // empty down
  EXPECT_FALSE(set.add(Box(0, 10, 150, 30, 300)));      // below the area
  EXPECT_FALSE(set.add(Box(0, 10, -50, 30, -1)));       // above it
  EXPECT_FALSE(set.add(Box(0, 250, 10, 300, 20)));      // right of it
  EXPECT_FALSE(set.add(Box(0, 1, 1, 5, 5, 0)));         // level 0
  EXPECT_FALSE(set.add(Box(0, 1, 1, 5, 5, 4)));         // above the levels
  ASSERT_TRUE(set.add(Box(1, -100, 90, 5000, 5000)));   // reaches out of the area: clipped for placing
  EXPECT_EQ(set.hit(199, 99), set.byNumber(1));
  EXPECT_EQ(set.hit(0, 95), set.byNumber(1));
  EXPECT_EQ(set.hitTestableCount(), 1);

  // Random boxes, many of them hostile: every add returns and every kept one is found at its corner.
  std::mt19937 random(7);
  HotspotSet many(640, 480, 2, kMaxHotspotNumbers);
  std::uniform_int_distribution<int32_t> any(-1000, 1000);
  for (uint16_t n = 0; n < 2000; ++n) {
    const HotspotRecord r = Box(n, any(random), any(random), any(random), any(random));
    if (!many.add(r)) continue;
    const int32_t x = std::max(r.left, 0), y = std::max(r.top, 0);
    ASSERT_TRUE(many.hit(x, y)) << n;
  }
}

TEST(ImageHotspots, ShapesAreTestedAfterTheirBoxes) {
  HotspotSet set(65535, 400, 2, 4);
  HotspotRecord circle = Box(0, -32768, 0, 32767, 400);
  circle.shape = kShapeCircle;
  circle.centreX = -30000, circle.centreY = 0, circle.radius = 32767;
  ASSERT_TRUE(set.add(circle));
  EXPECT_EQ(set.hit(0, 0), set.byNumber(0));
  // (32000 + 30000)^2 overflows 32 bits; the point is far outside the radius.
  EXPECT_EQ(set.hit(32000, 0), nullptr);

  HotspotSet tri(400, 400, 2, 4);
  HotspotRecord polygon = Box(1, 0, 0, 200, 200);
  polygon.shape = kShapePolygon;
  polygon.points = {{0, 0}, {200, 0}, {0, 200}};
  ASSERT_TRUE(tri.add(polygon));
  EXPECT_EQ(tri.hit(20, 20), tri.byNumber(1));
  EXPECT_EQ(tri.hit(180, 180), nullptr);  // in the box, outside the triangle
  // A record chained at the root is found by a point right on the root's split line.
  EXPECT_EQ(tri.hit(200, 100), nullptr);
  ASSERT_TRUE(tri.add(Box(2, 150, 300, 250, 350)));
  EXPECT_EQ(tri.hit(200, 320), tri.byNumber(2));
}

TEST(ImageHotspots, Ply2FilesGiveHotspotsMarksAndLimits) {
  const std::vector<Ply2Record> records = {
      {kShapePolygon, 1, 0, 10, 10, 110, 110, "Poly", {3, 10, 10, 110, 10, 10, 110}},
      {kShapeCircle, 1, 1, 150, 10, 190, 50, "Koło", {170, 30, 20}},
      {kShapeRectangle, 0, 2, 5, 150, 60, 190, "znak", {}},
      {kShapePolygon, 1, 3, -5, -5, 20, 20, "", {2, -5, -7, 20, 20}},
  };
  const std::vector<uint8_t> file = Ply2File(200, 200, 3, records);
  std::unique_ptr<HotspotSet> set = ParsePly2(file);
  ASSERT_TRUE(set);
  EXPECT_EQ(set->levels(), 3);
  EXPECT_EQ(set->hitTestableCount(), 3);
  const HotspotRecord* poly = set->hit(20, 20);
  ASSERT_TRUE(poly);
  EXPECT_EQ(poly->number, 0);
  EXPECT_EQ(poly->kind, kHotspotPly2);
  EXPECT_EQ(std::string(poly->data.begin(), poly->data.end()), std::string("Poly", 5));
  EXPECT_EQ(set->hit(100, 100), nullptr);  // inside the box, outside the triangle
  EXPECT_EQ(set->hit(170, 30)->number, 1);
  EXPECT_EQ(set->hit(152, 12), nullptr);  // the circle's box corner
  EXPECT_EQ(set->byNumber(3)->points[0].x, 0);  // negative points taken as 0
  ASSERT_TRUE(set->mark(0));  // level code 0 is a mark, not a hotspot
  EXPECT_EQ(set->mark(0)->number, 2);
  EXPECT_EQ(set->hit(20, 160), nullptr);

  // A record cut short ends the parse; the earlier ones stay.
  std::unique_ptr<HotspotSet> cut = ParsePly2(std::span(file).first(file.size() - 3));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->hitTestableCount(), 2);

  std::vector<uint8_t> bad = file;
  bad[4] = 3;
  EXPECT_FALSE(ParsePly2(bad));
  bad = file;
  bad[0] = 'p';
  EXPECT_FALSE(ParsePly2(bad));
  EXPECT_FALSE(ParsePly2(std::span(file).first(45)));
  std::vector<uint8_t> big = file;
  big.resize(kPly2MaxFileSize + 1, 0);
  EXPECT_FALSE(ParsePly2(big));
  big.resize(kPly2MaxFileSize);
  EXPECT_TRUE(ParsePly2(big));
}

TEST(ImageHotspots, MergeClipsOldRecordsToTheNewArea) {
  HotspotSet old(kMacroArea, kMacroArea, 2, 1);
  HotspotRecord macro = Box(0, 0, 0, kMacroArea, kMacroArea);
  macro.kind = kHotspotMacro;
  ASSERT_TRUE(old.add(macro));
  std::unique_ptr<HotspotSet> fresh = ParsePly2(Ply2File(300, 200, 1, {{0, 1, 1, 10, 10, 50, 50, "a", {}}}));
  ASSERT_TRUE(fresh);
  MergeHotspots(*fresh, old);
  EXPECT_EQ(fresh->byNumber(0)->right, 300);
  EXPECT_EQ(fresh->byNumber(0)->bottom, 200);
  // Level 2 is searched first: the window macro answers everywhere; the file's record is kept.
  EXPECT_EQ(fresh->hit(20, 20)->number, 0);
  EXPECT_EQ(fresh->hit(250, 150)->number, 0);
  ASSERT_TRUE(fresh->byNumber(1));
  EXPECT_EQ(fresh->byNumber(1)->level, 3);
}

TEST(ImageHotspots, FocusStepsOverVisibleHotspotsOnly) {
  HotspotSet set(300, 100, 2, 3);
  for (uint16_t n = 0; n < 3; ++n) ASSERT_TRUE(set.add(Box(n, 100 * n, 0, 100 * n + 50, 50)));
  const RECT all{0, 0, 300, 100};
  EXPECT_EQ(StepHotspotFocus(set, 0, true, all), 1);
  EXPECT_EQ(StepHotspotFocus(set, 1, true, all), 2);
  EXPECT_EQ(StepHotspotFocus(set, 3, true, all), 0);
  EXPECT_EQ(StepHotspotFocus(set, 0, false, all), 3);  // backward without focus starts at the last
  EXPECT_EQ(StepHotspotFocus(set, 1, false, all), 0);
  EXPECT_EQ(StepHotspotFocus(set, 0, true, RECT{0, 60, 300, 100}), 0);  // all scrolled away
  EXPECT_EQ(StepHotspotFocus(set, 0, true, RECT{120, 0, 300, 100}), 2);
  EXPECT_EQ(StepHotspotFocus(set, 0, true, RECT{50, 0, 100, 100}), 0);  // touching is no overlap
}

TEST(ImageHotspots, PictureTablesGiveKindsDataAndChecks) {
  const layout_test::Bytes extra = {'M', 'a', 'k', 'r', 'o', 0, 1, 2, 3, 4, 5, 'c', 'e', 'l', 0, 9};
  const layout_test::Bytes table = layout_test::HotspotData(
      {{0xC8, 0, 0, 10, 10, 0}, {0xE3, 20, 0, 10, 10, 0x11223344}, {0xEB, 40, 0, 10, 10, 6},
       {0x8A, 60, 0, 10, 10, 0}, {0xCC, 80, 0, 10, 10, 100}, {0x77, 90, 0, 5, 5, 0}},
      extra);
  auto hotspots = ReadPictureHotspots(table);
  ASSERT_TRUE(hotspots);
  ASSERT_EQ(hotspots->size(), 6u);
  EXPECT_EQ((*hotspots)[0].kind, kHotspotMacro);
  EXPECT_EQ((*hotspots)[0].data, (std::vector<uint8_t>{'M', 'a', 'k', 'r', 'o', 0}));
  EXPECT_EQ((*hotspots)[1].kind, kHotspotJump);
  EXPECT_EQ((*hotspots)[2].kind, kHotspotJumpNamed);
  EXPECT_EQ((*hotspots)[2].data.size(), 3u + 7u);
  EXPECT_EQ((*hotspots)[4].kind, kHotspotOther);  // its offset lies past the data area
  EXPECT_TRUE((*hotspots)[4].data.empty());
  EXPECT_EQ((*hotspots)[5].kind, kHotspotOther);
  EXPECT_EQ((*hotspots)[1].right, 30);
  EXPECT_FALSE(ReadPictureHotspots(std::span(table).first(20)));

  HotspotSet set(200, 20, 2, 6);
  AddPictureHotspots(set, *hotspots);
  EXPECT_EQ(set.hitTestableCount(), 5);
  ASSERT_TRUE(set.mark(0));
  EXPECT_EQ(set.mark(0)->left, 60);
  const HotspotAnswer jump = AnswerFor(*set.hit(25, 5));
  EXPECT_EQ(jump.hash, 0x11223344u);
  EXPECT_EQ(jump.kind, kHotspotJump);

  std::vector<PictureHotspot> scaled = *hotspots;
  ScalePictureHotspots(scaled, 400, 40, 200, 0);  // a zero extent leaves that axis
  EXPECT_EQ(scaled[1].left, 40);
  EXPECT_EQ(scaled[1].bottom, 10);
}

TEST(PackedDib, RunLengthPicturesExpandWithinBoundsOrStayCompressed) {
  auto small = PackedDibFromFile(imagewnd_test::Rle8File(20, 10), false);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->info()->bmiHeader.biCompression, uint32_t(BI_RGB));
  EXPECT_EQ(small->info()->bmiHeader.biSizeImage, 20u * 10u);
  EXPECT_EQ(small->bits()[0], 1);
  // 70,000 expanded bytes: kept compressed without large bitmaps, expanded with them.
  auto kept = PackedDibFromFile(imagewnd_test::Rle8File(700, 100), false);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->info()->bmiHeader.biCompression, uint32_t(BI_RLE8));
  auto expanded = PackedDibFromFile(imagewnd_test::Rle8File(700, 100), true);
  ASSERT_TRUE(expanded);
  EXPECT_EQ(expanded->bytes.size(), expanded->bitsOffset + 70000u);

  // Runs that overshoot rows and rows past the last are dropped, not written past the picture.
  std::vector<uint8_t> wild = imagewnd_test::Rle8File(4, 2);
  wild.resize(wild.size() - 2);
  wild.insert(wild.end(), {255, 1, 0, 2, 255, 255, 200, 1, 0, 1});
  base::store_le32(wild.data() + 34, uint32_t(wild.size() - 62));
  EXPECT_TRUE(PackedDibFromFile(wild, false));
}

TEST(PackedDib, HeadersAreCheckedAgainstTheBytes) {
  const std::vector<uint8_t> good = imagewnd_test::BitmapFile(3, 2, 0x102030);
  ASSERT_TRUE(PackedDibFromFile(good, false));
  struct Change {
    size_t at;
    uint32_t value;
    const char* what;
  };
  const Change changes[] = {
      {30, 3, "bit fields"},       {18, 0, "no width"},         {22, 0, "no height"},
      {18, 100000, "too wide"},    {10, 5000, "bits offset past the file"},
      {14, 12, "short header"},    {28, 7, "odd depth"},        {46, 300, "colours past the table"},
  };
  for (const Change& c : changes) {
    std::vector<uint8_t> bad = good;
    base::store_le32(bad.data() + c.at, c.value);
    if (c.at == 28) base::store_le16(bad.data() + 28, uint16_t(c.value));
    EXPECT_FALSE(PackedDibFromFile(bad, false)) << c.what;
  }
  EXPECT_FALSE(PackedDibFromFile(std::span(good).first(good.size() - 1), false));  // a row short
  std::vector<uint8_t> top_down = good;
  base::store_le32(top_down.data() + 22, uint32_t(-2));
  auto dib = PackedDibFromFile(top_down, false);
  ASSERT_TRUE(dib);
  EXPECT_EQ(dib->height, 2);
  std::vector<uint8_t> rle_top_down = imagewnd_test::Rle8File(4, 2);
  base::store_le32(rle_top_down.data() + 22, uint32_t(-2));
  EXPECT_FALSE(PackedDibFromFile(rle_top_down, false));
}

TEST(PackedDib, SizesScaleByWholeQuotientsOfTheDeviceResolution) {
  EXPECT_EQ(ScaleToDevice(1000, 500, 96, 96).cx, 1000);
  EXPECT_EQ(ScaleToDevice(1000, 500, 120, 120).cx, 1000);
  EXPECT_EQ(ScaleToDevice(1000, 500, 300, 300).cx, 3000);
  EXPECT_EQ(ScaleToDevice(1000, 500, 48, 48).cy, 250);
}

std::span<const uint8_t> Bytes(const char* text) { return {reinterpret_cast<const uint8_t*>(text), std::strlen(text)}; }

BOOL LoadNothing(PictureLoadRequest&) { return FALSE; }

TEST(PictureTypes, MatchingByWholeNamesThreadFirstSelfLoadingOnlyWhenAllowed) {
  ImgReleaseAllThreads();
  EXPECT_FALSE(ImgHasThreadRecords());
  ImgRegisterBuiltInTypes();
  ASSERT_TRUE(ImgRegisterPictureType(false, "XYZW+", kSelfLoading, LoadNothing, nullptr, nullptr, nullptr));
  ASSERT_TRUE(ImgRegisterPictureType(false, "lp", 0, LoadNothing, nullptr, nullptr, nullptr));
  EXPECT_EQ(ImgMatchPictureType(Bytes("BM6"), false)->loader, DibLoad);
  EXPECT_EQ(ImgMatchPictureType(Bytes("lp.."), false)->loader, HyperLoad);  // the thread's own first
  EXPECT_EQ(ImgMatchPictureType(Bytes("lP.."), false)->loader, HyperLoad);
  EXPECT_FALSE(ImgMatchPictureType(Bytes("B"), true));  // shorter than the name
  EXPECT_FALSE(ImgMatchPictureType(Bytes("XYZW1"), false));
  const PictureType* self = ImgMatchPictureType(Bytes("XYZW1"), true);
  ASSERT_TRUE(self);
  EXPECT_STREQ(self->name, "XYZW");  // names keep four characters
  EXPECT_EQ(self->drawer, DibDraw);  // missing procedures are the bitmap type's
  EXPECT_FALSE(ImgMatchPictureType(std::span<const uint8_t>(), true));
  // Registering a name and flags again updates the record in place.
  ASSERT_TRUE(ImgRegisterPictureType(true, "BM", 0, LoadNothing, nullptr, nullptr, nullptr));
  EXPECT_EQ(ImgMatchPictureType(Bytes("BM"), false)->loader, LoadNothing);
  ImgReleaseThread();
  EXPECT_EQ(ImgMatchPictureType(Bytes("lp"), false)->loader, LoadNothing);  // the process-wide one is left
  ImgReleaseAllThreads();
}

TEST(PictureTypes, CacheKeepsTheNewestEntriesAndIgnoresCase) {
  ImgReleaseAllThreads();
  const auto bytes = [](uint8_t b) { return std::make_shared<const std::vector<uint8_t>>(1, b); };
  EXPECT_FALSE(ImgCachePicture("a.bmp/lib/du.m14", bytes(1)));  // no cache made
  ASSERT_TRUE(ImgCreatePictureCache(2));
  EXPECT_TRUE(ImgCachePicture("a.bmp/lib/du.m14", bytes(1)));
  EXPECT_TRUE(ImgCachePicture("b.bmp/lib/du.m14", bytes(2)));
  EXPECT_EQ((*ImgCachedPicture("A.BMP/LIB/DU.M14"))[0], 1);
  EXPECT_TRUE(ImgCachePicture("c.bmp/lib/du.m14", bytes(3)));  // the oldest goes
  EXPECT_FALSE(ImgCachedPicture("a.bmp/lib/du.m14"));
  EXPECT_EQ((*ImgCachedPicture("c.bmp/lib/du.m14"))[0], 3);
  ImgFlushPictureCache();
  EXPECT_FALSE(ImgCachedPicture("c.bmp/lib/du.m14"));
  ImgReleaseAllThreads();
}

}  // namespace
}  // namespace imagewnd
