// The image window as the engine's layout drives it: creation from the option text, loading from a
// title, a resource-less name or a file beside the title, size, painting with caption, hotspot
// frames and marks, focus steps, hotspot queries, clipboard formats and the not-found box.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "engine/datapres/embedded_window_display.h"
#include "engine/frame/clipboard_render.h"
#include "engine/frame/hotspots.h"
#include "engine/medview/engine_titles.h"
#include "pictures/imagewnd/image_hotspots.h"
#include "pictures/imagewnd/image_window.h"
#include "platform/base/cp1250.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"
#include "platform/gdi/core/bitmap_api.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/draw_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/shell/clipboard.h"
#include "tests/imagewnd/image_test_files.h"
#include "tests/layout/record_builder.h"
#include "tests/support/gui_fixture.h"
#include "tests/support/surface_png.h"
#include "tools/titlebuild/library_title.h"
#include "tools/titlebuild/title_builder.h"

namespace imagewnd {
namespace {

using imagewnd_test::Ply2Record;

const HINSTANCE kProgram = reinterpret_cast<HINSTANCE>(0x400);
constexpr uint32_t kBlue = 0x2050C0;    // 0xRRGGBB in the files
constexpr uint32_t kYellow = 0xF0D040;

LRESULT HostProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(h, &r);
    FillRect(reinterpret_cast<HDC>(w), &r, HBRUSH(GetStockObject(LTGRAY_BRUSH)));
    return 1;
  }
  return DefWindowProc(h, m, w, l);
}

std::string OutputFolder() {
  const char* dir = std::getenv("LUMO_TEST_OUTPUT");
  return dir ? dir : base::temp_folder();
}

class ImageWindow : public lumo::test::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    ImgInit(kProgram);
    static int counter = 0;
    folder_ = base::temp_folder() + "/img" + std::to_string(getpid()) + "_" + std::to_string(++counter) + "/";
    std::filesystem::create_directories(folder_);
    path_ = folder_ + "du.m14";
    titlebuild::TitleBuilder builder;
    titlebuild::LibraryTitleSource source;
    source.topics.emplace_back().title = "Rysunki";
    titlebuild::TopicFileLayout layout;
    ASSERT_EQ(titlebuild::AddLibraryTitle(builder, source, layout), 0);
    builder.add_file("fig.bmp", imagewnd_test::BitmapFile(160, 90, kBlue, kYellow));
    builder.add_file("bad.bmp", {'X', 'Y', 'Z', 'W', 'V', 'U'});
    builder.add_file("seg.lp", imagewnd_test::SegmentedFile(SegmentedStored()));
    builder.add_file("wide.lp", imagewnd_test::SegmentedFile(layout_test::StoredMetafileRecord(8, 2540, 1270, Metafile())));
    builder.add_file("flat.lp", imagewnd_test::SegmentedFile(layout_test::StoredMetafileRecord(8, 0, 1270, Metafile())));
    builder.add_file("rys.ply", imagewnd_test::Ply2File(160, 90, 2, Ply2Records()));
    ASSERT_EQ(builder.write(path_), 0);
    ASSERT_EQ(base::write_file_atomic(folder_ + "beside.bmp", imagewnd_test::BitmapFile(40, 30, kYellow)),
              base::OsError::None);
    title_ = medview::MvOpenTitle(path_.c_str(), nullptr, 0);
    ASSERT_TRUE(title_);
    host_ = CreateWindowEx(0, lumo::test::test_window_class("ImageHost", HostProc), "", WS_OVERLAPPED | WS_VISIBLE,
                           0, 0, 420, 320, nullptr, nullptr, nullptr);
    ASSERT_TRUE(host_);
  }
  void TearDown() override {
    if (IsWindow(host_)) DestroyWindow(host_);
    medview::MvCloseTitle(title_);
    base::remove_file(path_);
    std::filesystem::remove_all(folder_);
    GuiTest::TearDown();
  }

  static std::vector<uint8_t> SegmentedStored() {
    layout_test::StoredBitmap picture;
    picture.bits_per_pixel = 8;
    picture.width = 120;
    picture.height = 60;
    picture.palette = {0xFFFFFF, 0x30A030};
    picture.bits.assign(120 * 60, 1);
    picture.hotspots = layout_test::HotspotData(
        {{0xE3, 10, 10, 40, 30, 0x0BADF00D}, {0xC8, 60, 10, 40, 30, 0}, {0x8A, 10, 45, 30, 10, 0}},
        {'M', 'a', 'k', 'r', 'o', 0});
    return layout_test::StoredBitmapRecord(picture);
  }
  // A metafile that fills its window extent of 100 x 100 with green: window extent, a brush, a
  // rectangle.
  static std::vector<uint8_t> Metafile() {
    const std::vector<std::vector<uint16_t>> records = {
        {0x020C, 100, 100},                 // window extent (y, x)
        {0x02FC, 0, 0xA028, 0x0028, 0},     // solid brush RGB(40, 160, 40)
        {0x012D, 0},                        // select it
        {0x041B, 101, 101, 0, 0},           // rectangle (bottom, right, top, left)
        {0x0000}};
    std::vector<uint16_t> words = {1, 9, 0x300, 0, 0, 1, 0, 7, 0};
    for (const auto& r : records) {
      const uint32_t size = uint32_t(r.size() + 2);
      words.insert(words.end(), {uint16_t(size), uint16_t(size >> 16)});
      words.insert(words.end(), r.begin(), r.end());
    }
    words[3] = uint16_t(words.size());
    std::vector<uint8_t> bits;
    for (uint16_t w : words) bits.insert(bits.end(), {uint8_t(w), uint8_t(w >> 8)});
    return bits;
  }
  static std::vector<Ply2Record> Ply2Records() {
    return {{kShapeRectangle, 1, 0, 10, 10, 50, 40, "pierwszy", {}},
            {kShapeCircle, 1, 1, 70, 20, 110, 60, "koło", {90, 40, 20}},
            {kShapePolygon, 1, 2, 120, 10, 155, 80, "wielokąt", {3, 120, 10, 155, 10, 137, 80}}};
  }

  // The option text as a title stores it (CP1250).
  HWND Make(const char* utf8, uint32_t flags = 0) {
    const std::string stored = base::cp1250::from_utf8(utf8);
    const char* text = stored.c_str();
    datapres::EmbeddedWindowParams params;
    params.titleName = path_.c_str();
    params.windowText = text;
    params.flags = flags;
    params.title = title_;
    return ImgCreateWindow(host_, text, params);
  }
  // Asks the size as the layout does, then places and shows the window.
  SIZE Place(HWND window, int x = 10, int y = 10) {
    HDC dc = GetDC(host_);
    int32_t size[2] = {0, 0};
    EXPECT_EQ(SendMessage(window, datapres::kEwSize, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(size)), 1);
    ReleaseDC(host_, dc);
    MoveWindow(window, x, y, size[0], size[1], TRUE);
    ShowWindow(window, SW_SHOWNA);
    UpdateWindow(window);
    pump();
    return {size[0], size[1]};
  }
  void Save(HWND window, const char* name) {
    EXPECT_TRUE(lumo::test::save_window_png(window, OutputFolder() + "/" + name));
  }

  std::string folder_, path_;
  title::TitleHandle* title_ = nullptr;
  HWND host_ = nullptr;
};

bool Near(DWORD pixel, uint32_t rrggbb) {
  const int r = int(pixel & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel >> 16 & 0xFF);
  return std::abs(r - int(rrggbb >> 16)) < 8 && std::abs(g - int(rrggbb >> 8 & 0xFF)) < 8 &&
         std::abs(b - int(rrggbb & 0xFF)) < 8;
}

TEST_F(ImageWindow, PictureFromTheTitleWithCaptionBelowIt) {
  HWND window = Make("[FILENAME=!fig.bmp] [CAPTION=Rys. 1 – żółć ąę łóś źćń]");
  ASSERT_TRUE(window);
  const SIZE size = Place(window);
  EXPECT_EQ(size.cx, 160 + 0 * size.cx);
  EXPECT_GT(size.cy, 90 + 8);
  EXPECT_LT(size.cy, 90 + 40);
  Save(window, "imagewnd_caption.png");
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 5, 5), kYellow));  // the top half
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 5, 80), kBlue));
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 2, 92), 0xFFFFFF));  // white under the picture
  bool text = false;
  for (int x = 0; x < 160 && !text; ++x)
    for (int y = 91; y < size.cy && !text; ++y) text = lumo::test::surface_pixel(window, x, y) == 0;
  EXPECT_TRUE(text) << "no black caption text below the picture";
  EXPECT_EQ(GetWindowTextString(window), base::cp1250::from_utf8("[FILENAME=!fig.bmp] [CAPTION=Rys. 1 – żółć ąę łóś źćń]"));
}

TEST_F(ImageWindow, MissingOrUnknownPicturesShowTheirNameInTheNotFoundBox) {
  for (const char* text : {"!brak.bmp", "!bad.bmp", "[FORCETYPE=XYZ] !fig.bmp", "../du.m14"}) {
    HWND window = Make(text);
    ASSERT_TRUE(window) << text;
    const SIZE size = Place(window);
    EXPECT_EQ(size.cx, kNotFoundWidth) << text;
    EXPECT_EQ(size.cy, kNotFoundHeight) << text;
    EXPECT_EQ(GetWindowTextString(window), kNotFoundText) << text;
    if (std::string(text) == "!brak.bmp") Save(window, "imagewnd_not_found.png");
    EXPECT_EQ(lumo::test::surface_pixel(window, 2, 2), 0xFFFFFFu) << text;
    DestroyWindow(window);
  }
  // A forced type that the name begins ("BM" for "BMXX") loads a valid bitmap.
  HWND forced = Make("[FORCETYPE=BMXX] !fig.bmp");
  EXPECT_EQ(Place(forced).cx, 160);
}

TEST_F(ImageWindow, FileBesideTheTitleAndThePrintingRefusal) {
  HWND beside = Make("beside.bmp");
  EXPECT_EQ(Place(beside).cx, 40);
  EXPECT_TRUE(Make("[NOPRINT] beside.bmp"));
  EXPECT_FALSE(Make("[NOPRINT] beside.bmp", datapres::kEwPrinting));
  datapres::EmbeddedWindowParams params;
  EXPECT_FALSE(ImgCreateWindow(host_, nullptr, params));
}

TEST_F(ImageWindow, Ply2HotspotsAnswerQueriesAndStepByKeys) {
  HWND window = Make("[HOTSPOTS=!rys.ply] [CAPTION=Mapa] !fig.bmp");
  Place(window);
  EXPECT_EQ(SendMessage(window, datapres::kEwHotspotCount, 0, 0), 3);
  medview::HotspotTarget target;
  uint8_t buffer[32] = {};
  target.buffer = buffer;
  target.bufferSize = sizeof buffer;
  target.rect.left = 137;
  target.rect.top = 20;
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, WPARAM(-1), reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.type, kHotspotPly2);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "wielokąt");
  EXPECT_EQ(target.rect.right, 155);
  target.rect.left = 121;
  target.rect.top = 78;  // in the polygon's box, outside the polygon
  EXPECT_EQ(SendMessage(window, datapres::kEwHotspot, WPARAM(-1), reinterpret_cast<LPARAM>(&target)), 0);
  target.bufferSize = 2;  // too small: box and kind only
  std::fill(std::begin(buffer), std::end(buffer), 0);
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, 1, reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.dataLength, 6);
  EXPECT_EQ(buffer[0], 0);

  // Tab steps forward, Shift+Tab backward; the engine's take-away ends the focus.
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 1, 0), 1);
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 1, 0), 1);
  ImageWindowFacts facts;
  ASSERT_TRUE(ImgWindowFacts(window, facts));
  EXPECT_EQ(facts.focus, 2);
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, WPARAM(-2), reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.rect.left, 70);
  pump();
  Save(window, "imagewnd_focus.png");
  // The focused circle's box under the invert style: inverted inside and on the pen's outer lines.
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 68, 30), 0xFFFFFF ^ kYellow));
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 90, 30), 0xFFFFFF ^ kYellow));
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 60, 30), kYellow));
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 0, 0), 1);
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 0, 0), 0);
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 0, 0), 1);  // from none backward: the last
  ASSERT_TRUE(ImgWindowFacts(window, facts));
  EXPECT_EQ(facts.focus, 3);
  // Other values step nothing: the window keeps its focus.
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, datapres::kEwFocusLose, 0), 1);
  // Scrolled out of the host: nothing to step to.
  MoveWindow(window, 10, 400, 160, 120, TRUE);
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 1, 0), 0);
}

TEST_F(ImageWindow, ShowAllFramesAndMarksOfASegmentedPicture) {
  HWND window = Make("[NOINVERT] [HOTMACRO=Makro()] [CAPTION=Rysunek z odnośnikami] !seg.lp");
  const SIZE size = Place(window);
  EXPECT_EQ(size.cx, std::max<LONG>(120, size.cx));
  EXPECT_EQ(SendMessage(window, datapres::kEwHotspotCount, 0, 0), 3);  // the macro and two of the table
  medview::HotspotTarget target;
  // Level 2 is searched from the root down: the macro at the root answers first inside the picture,
  // the table's hotspots answer by number.
  target.rect.left = 20;
  target.rect.top = 20;
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, WPARAM(-1), reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.type, kHotspotMacro);
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, 1, reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.type, kHotspotJump);
  EXPECT_EQ(target.target, 0x0BADF00Du);
  // With the picture's own hotspots the macro covers only the picture.
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, 0, reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.type, kHotspotMacro);
  EXPECT_EQ(target.rect.right, 120);
  EXPECT_EQ(target.rect.bottom, 60);

  RECT mark{};
  EXPECT_EQ(SendMessage(window, datapres::kEwHitRect, 0, reinterpret_cast<LPARAM>(&mark)), 1);
  EXPECT_EQ(mark.left, 10);
  EXPECT_EQ(mark.top, 45);
  RECT none{1, 1, 1, 1};
  SendMessage(window, datapres::kEwHitRect, 7, reinterpret_cast<LPARAM>(&none));
  EXPECT_EQ(none.right, 0);
  EXPECT_EQ(SendMessage(window, datapres::kEwFocus, 2, 0), 0);
  pump();
  Save(window, "imagewnd_frames.png");
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 10, 25), 0x0000FF));  // a hotspot's blue frame
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 8, 50), 0x800000));   // the mark's dark red
  EXPECT_EQ(lumo::test::surface_pixel(window, 9, 50), 0u);                 // its black middle line
  SendMessage(window, datapres::kEwClearHits, 0, 0);
  SendMessage(window, datapres::kEwFocus, datapres::kEwFocusLose, 0);
  pump();
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 8, 50), 0x30A030));

  // Selected: the whole window inverted.
  SendMessage(window, datapres::kEwHighlight, 1, 0);
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 30, 30), 0xFFFFFF ^ 0x30A030));
  SendMessage(window, datapres::kEwHighlight, 0, 0);
  EXPECT_TRUE(Near(lumo::test::surface_pixel(window, 30, 30), 0x30A030));
}

TEST_F(ImageWindow, MacroCoversPictureAndCaption) {
  HWND window = Make("[HOTMACRO=JumpId(`a')] [CAPTION=Rys.] !fig.bmp");
  const SIZE size = Place(window);
  medview::HotspotTarget target;
  uint8_t buffer[64] = {};
  target.buffer = buffer;
  target.bufferSize = sizeof buffer;
  target.rect.left = 3;
  target.rect.top = size.cy - 2;  // on the caption
  ASSERT_EQ(SendMessage(window, datapres::kEwHotspot, WPARAM(-1), reinterpret_cast<LPARAM>(&target)), 1);
  EXPECT_EQ(target.rect.right, size.cx);
  EXPECT_EQ(target.rect.bottom, size.cy);
  EXPECT_STREQ(reinterpret_cast<char*>(buffer), "JumpId(`a')");
  EXPECT_EQ(target.dataLength, 12);
}

TEST_F(ImageWindow, ClipboardFormatsAndCopy) {
  HWND window = Make("[CAPTION=Rys. 2] !seg.lp");
  Place(window);
  ASSERT_TRUE(SendMessage(window, kImgPaletteQuery, 0, 0));
  std::unique_ptr<medview::ClipFormatTable> table(
      reinterpret_cast<medview::ClipFormatTable*>(SendMessage(window, datapres::kEwClipFormats, 0, 0)));
  ASSERT_TRUE(table);
  ASSERT_EQ(table->items.size(), 3u);
  EXPECT_EQ(table->items[0].format, CF_PALETTE);
  EXPECT_EQ(table->items[1].format, CF_DIB);
  EXPECT_EQ(table->items[2].format, CF_BITMAP);
  const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(table->items[1].data.data());
  EXPECT_EQ(header->biWidth, 120);
  EXPECT_GT(header->biHeight, 60);
  table.reset(reinterpret_cast<medview::ClipFormatTable*>(SendMessage(window, datapres::kEwClipFormats, CF_PALETTE, 0)));
  ASSERT_TRUE(table);
  EXPECT_EQ(table->items.size(), 1u);
  EXPECT_EQ(SendMessage(window, datapres::kEwClipFormats, 5, 0), 0);

  SendMessage(window, WM_COPY, 0, 0);
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));
}

TEST_F(ImageWindow, MetafilePicturesMeasureByTheirExtents) {
  HWND wide = Make("!wide.lp");
  const SIZE size = Place(wide);
  EXPECT_EQ(size.cx, 96);  // 2540 x 1270 hundredths of a millimetre on a 96 pixels-per-inch screen
  EXPECT_EQ(size.cy, 48);
  Save(wide, "imagewnd_metafile.png");
  EXPECT_TRUE(Near(lumo::test::surface_pixel(wide, 90, 40), 0x28A028));
  HWND flat = Make("!flat.lp");
  EXPECT_EQ(Place(flat, 150, 10).cx, 100);  // an extent of 0: 100 x 100
}

TEST_F(ImageWindow, PrintingAddsTheNoticeAndDrawsIntoThePrintContext) {
  HWND screen = Make("[COPYRIGHT=© Wydawnictwo] [CAPTION=Rys. 3] beside.bmp");
  const SIZE on_screen = Place(screen);
  HWND printing = Make("[COPYRIGHT=© Wydawnictwo] [CAPTION=Rys. 3] beside.bmp", datapres::kEwPrinting);
  ASSERT_TRUE(printing);
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(200, 200, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(memory, bitmap);
  int32_t size[2] = {};
  SendMessage(printing, datapres::kEwSize, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(size));
  EXPECT_GT(size[1], on_screen.cy);  // the notice joins the size only when printing
  EXPECT_GE(size[0], on_screen.cx);
  datapres::EmbedDrawParams draw{{5, 5, 5 + size[0], 5 + size[1]}, memory};
  EXPECT_EQ(SendMessage(printing, datapres::kEwPrint, 0, reinterpret_cast<LPARAM>(&draw)), 1);
  EXPECT_EQ(GetPixel(memory, 6, 6), RGB(0xF0, 0xD0, 0x40));
  // The display draw also paints into a context that belongs to no window.
  datapres::EmbedDrawParams shown{{100, 100, 100 + on_screen.cx, 100 + on_screen.cy}, memory};
  EXPECT_EQ(SendMessage(screen, datapres::kEwShow, 0, reinterpret_cast<LPARAM>(&shown)), 0);
  EXPECT_EQ(GetPixel(memory, 101, 101), RGB(0xF0, 0xD0, 0x40));
  EXPECT_EQ(SendMessage(screen, datapres::kEwShow, 1, 0), 0);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

TEST_F(ImageWindow, TermKeepsTheClassWhileWindowsLive) {
  HWND window = Make("!fig.bmp");
  ASSERT_TRUE(window);
  EXPECT_EQ(ImgTerm(kProgram), 0);
  WNDCLASS wc;
  EXPECT_TRUE(GetClassInfo(kImageClass, &wc));
  DestroyWindow(window);
  EXPECT_EQ(ImgTerm(kProgram), 1);
  EXPECT_FALSE(GetClassInfo(kImageClass, &wc));
  EXPECT_EQ(ImgInit(kProgram), 1);
  EXPECT_TRUE(Make("!fig.bmp"));
}

}  // namespace
}  // namespace imagewnd
