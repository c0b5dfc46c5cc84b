// Files dropped on a window from outside the program: the Qt drop of local files becomes
// WM_DROPFILES, read with DragQueryFile and freed with DragFinish.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/shell/dropped_files.h"
#include "platform/win/platform_widget.h"
#include "platform/win/window_table.h"
#include "tests/framework/framework_fixture.h"

namespace lumo::test {
namespace {

// Records what each WM_DROPFILES held, then frees the drop.
class FileSink : public CWnd {
 public:
  std::vector<std::string> paths;
  std::vector<UINT> lengths;
  CPoint point{-1, -1};
  BOOL in_client = FALSE;
  HDROP last = nullptr;
  int drops = 0;

  afx_msg LRESULT OnDropFiles(WPARAM wParam, LPARAM) {
    auto drop = reinterpret_cast<HDROP>(wParam);
    ++drops;
    last = drop;
    UINT count = DragQueryFile(drop, 0xFFFFFFFFu, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      lengths.push_back(DragQueryFile(drop, i, nullptr, 0));
      char buffer[260];
      DragQueryFile(drop, i, buffer, sizeof buffer);
      paths.emplace_back(buffer);
    }
    in_client = DragQueryPoint(drop, &point);
    DragFinish(drop);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FileSink, CWnd)
  ON_MESSAGE(WM_DROPFILES, &FileSink::OnDropFiles)
END_MESSAGE_MAP()

class DroppedFilesTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    ASSERT_TRUE(sink.CreateEx(0, nullptr, "Okno", WS_POPUP | WS_VISIBLE, CRect(10, 10, 310, 210), nullptr, 0));
    pump();
  }
  void TearDown() override {
    sink.DestroyWindow();
    FrameworkTest::TearDown();
  }

  QWidget* widget() { return win::find_window(sink.m_hWnd)->widget.get(); }

  // Drags `urls` over the window and drops them at a client point; whether the drop was taken.
  bool drop(const QList<QUrl>& urls, QPoint at) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget(), &dropped);
    pump();
    return dropped.isAccepted();
  }

  FileSink sink;
};

TEST_F(DroppedFilesTest, LocalFilesReachTheWindowAsDropFiles) {
  DragAcceptFiles(sink.m_hWnd, TRUE);
  EXPECT_TRUE(sink.GetExStyle() & WS_EX_ACCEPTFILES);
  // The second path has a Polish letter (kept, in CP1250); the third a character the code page
  // lacks (left out rather than handed over under a wrong name).
  QList<QUrl> urls = {QUrl::fromLocalFile("/tmp/ustawa.lkl"), QUrl::fromLocalFile(QString::fromUtf8("/tmp/prawo łódź.lkl")),
                      QUrl::fromLocalFile(QString::fromUtf8("/tmp/法.lkl"))};
  ASSERT_TRUE(drop(urls, QPoint(30, 40)));
  ASSERT_EQ(sink.drops, 1);
  ASSERT_EQ(sink.paths.size(), 2u);
  EXPECT_EQ(sink.paths[0], "/tmp/ustawa.lkl");
  EXPECT_EQ(utf8(CString(sink.paths[1].c_str())), "/tmp/prawo łódź.lkl");
  EXPECT_EQ(sink.lengths, (std::vector<UINT>{15, 19}));
  EXPECT_TRUE(sink.in_client);
  EXPECT_EQ(sink.point, CPoint(30, 40));
  // The handle is gone after DragFinish.
  char buffer[8] = "x";
  EXPECT_EQ(DragQueryFile(sink.last, 0xFFFFFFFFu, nullptr, 0), 0u);
  EXPECT_EQ(DragQueryFile(sink.last, 0, buffer, sizeof buffer), 0u);
  DragFinish(sink.last);
}

TEST_F(DroppedFilesTest, RefusedWithoutAcceptanceOrWithOtherData) {
  QList<QUrl> files = {QUrl::fromLocalFile("/tmp/a.lkl")};
  EXPECT_FALSE(drop(files, QPoint(5, 5)));
  DragAcceptFiles(sink.m_hWnd, TRUE);
  EXPECT_FALSE(drop({QUrl("https://example.org/a.lkl")}, QPoint(5, 5)));
  EXPECT_FALSE(drop({QUrl::fromLocalFile(QString::fromUtf8("/tmp/法.lkl"))}, QPoint(5, 5)));
  sink.EnableWindow(FALSE);
  EXPECT_FALSE(drop(files, QPoint(5, 5)));
  sink.EnableWindow(TRUE);
  DragAcceptFiles(sink.m_hWnd, FALSE);
  EXPECT_FALSE(sink.GetExStyle() & WS_EX_ACCEPTFILES);
  EXPECT_FALSE(drop(files, QPoint(5, 5)));
  EXPECT_EQ(sink.drops, 0);
}

TEST(DroppedFiles, QueriesOnAStaleHandleAnswerNothing) {
  POINT p{};
  EXPECT_EQ(DragQueryFile(reinterpret_cast<HDROP>(uintptr_t{12345}), 0xFFFFFFFFu, nullptr, 0), 0u);
  EXPECT_FALSE(DragQueryPoint(nullptr, &p));
  DragFinish(nullptr);
}

}  // namespace
}  // namespace lumo::test
