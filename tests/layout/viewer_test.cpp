#include <gtest/gtest.h>

#include "engine/medview/viewer.h"
#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/recording_device.h"
#include "tests/layout/record_builder.h"

namespace layout_test {
namespace {

int g_get_calls = 0;
int g_release_calls = 0;
HDC g_context = nullptr;

HDC CountingGetDC(HWND) {
  ++g_get_calls;
  return g_context;
}
void CountingReleaseDC(HWND, HDC) { ++g_release_calls; }

TEST(Viewer, CreatesWithDefaults) {
  medview::TitleErrorCode error = 99;
  medview::ViewerHandle viewer = medview::MvCreateViewer(nullptr, &error);
  ASSERT_NE(viewer, nullptr);
  EXPECT_EQ(error, 0);
  EXPECT_EQ(medview::MvGetZoom(viewer), 100);
  EXPECT_EQ(medview::MvGetFlags(viewer), medview::kViewEmbedSelect);
  EXPECT_EQ(viewer->currentFont, -1);
  medview::MvSetKerningMinSize(viewer, -5);
  EXPECT_EQ(medview::MvGetKerningMinSize(viewer), 0);
  medview::MvDestroyViewer(viewer);
}

TEST(Viewer, CloneKeepsOnlyTheCopyFlags) {
  medview::ViewerHandle viewer = medview::MvCreateViewer(nullptr, nullptr);
  viewer->flags = medview::kViewPrinting | medview::kViewClipboard | medview::kViewSelectionColours |
                  medview::kViewEmbedSelect | medview::kViewKeepWindows;
  viewer->zoom = 150;
  viewer->target = 1234;
  medview::ViewerHandle clone = medview::MvCloneViewer(viewer, nullptr);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->flags, medview::kViewSelectionColours | medview::kViewEmbedSelect);
  EXPECT_EQ(clone->zoom, 150);
  EXPECT_EQ(clone->target, 1234);
  EXPECT_TRUE(clone->frames.empty());
  medview::MvDestroyViewer(clone);
  medview::MvDestroyViewer(viewer);
}

TEST(Viewer, NestedAcquisitionsTakeTheWindowContextOnce) {
  auto log = std::make_shared<gdi::RecordingLog>();
  g_context = gdi::create_recording_dc(log);
  g_get_calls = g_release_calls = 0;
  medview::ViewerHandle viewer = medview::MvCreateViewer(nullptr, nullptr);
  EXPECT_EQ(medview::MvAcquireDC(viewer), medview::kViewNoWindow);
  medview::MvSetWindow(viewer, reinterpret_cast<HWND>(uintptr_t(7)), nullptr);
  EXPECT_EQ(medview::MvAcquireDC(viewer), medview::kViewNoDC);  // no context source at all
  medview::MvSetGetDCProc(viewer, CountingGetDC);
  medview::MvSetReleaseDCProc(viewer, CountingReleaseDC);
  EXPECT_EQ(medview::MvAcquireDC(viewer), 0);
  EXPECT_EQ(medview::MvAcquireDC(viewer), 0);
  EXPECT_EQ(viewer->dcDepth, 2);
  medview::MvReleaseDC(viewer);
  EXPECT_EQ(g_release_calls, 0);
  medview::MvReleaseDC(viewer);
  EXPECT_EQ(g_get_calls, 1);
  EXPECT_EQ(g_release_calls, 1);
  EXPECT_EQ(viewer->hdc, nullptr);
  medview::MvDestroyViewer(viewer);
  DeleteDC(g_context);
}

TEST(Viewer, AViewerWithoutAWindowWorksInALentContext) {
  auto log = std::make_shared<gdi::RecordingLog>();
  HDC memory = gdi::create_recording_dc(log);
  medview::ViewerHandle viewer = medview::MvCreateViewer(nullptr, nullptr);
  HDC previous = medview::MvUseCallerDC(viewer, memory);
  EXPECT_EQ(previous, nullptr);
  // Nested acquisitions inside the lent context keep it and never ask for a window's.
  EXPECT_EQ(medview::MvAcquireDC(viewer), 0);
  EXPECT_EQ(viewer->hdc, memory);
  medview::MvReleaseDC(viewer);
  EXPECT_EQ(viewer->hdc, memory);
  medview::MvRestoreCallerDC(viewer, previous);
  EXPECT_EQ(viewer->hdc, nullptr);
  EXPECT_EQ(medview::MvAcquireDC(viewer), medview::kViewNoWindow);
  medview::MvDestroyViewer(viewer);
  DeleteDC(memory);
}

TEST(Viewer, BusyTurnsReentryAwayAndDefersDestruction) {
  medview::ViewerHandle viewer = medview::MvCreateViewer(nullptr, nullptr);
  {
    medview::ViewerBusy outer(viewer);
    ASSERT_TRUE(outer.entered());
    medview::ViewerBusy inner(viewer);
    EXPECT_FALSE(inner.entered());
    // Destroying while busy must not free the record under the running work.
    medview::MvDestroyViewer(viewer);
    EXPECT_TRUE(viewer->destroyPending);
    EXPECT_EQ(viewer->zoom, 100);
  }
  // The outer work ended and freed the viewer; the sanitizer build reports any use after that.
}

}  // namespace
}  // namespace layout_test
