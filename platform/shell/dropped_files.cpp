#include "platform/shell/dropped_files.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QObject>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "platform/base/cp1250.h"
#include "platform/win/message_queue.h"
#include "platform/win/platform_widget.h"
#include "platform/win/window_table.h"

namespace {

struct Drop {
  std::vector<std::string> paths;  // CP1250
  POINT point;                     // client coordinates of the receiving window
  bool in_client;
};

// Drops waiting for DragFinish, by handle number (never reused, so a stale handle finds nothing).
struct DropTable {
  std::map<uintptr_t, Drop> drops;
  uintptr_t next = 1;
};

DropTable& table() {
  static DropTable t;
  return t;
}

const Drop* find_drop(HDROP h) {
  auto it = table().drops.find(reinterpret_cast<uintptr_t>(h));
  return it == table().drops.end() ? nullptr : &it->second;
}

// The local file paths a drag carries; empty when it carries anything else too.
std::vector<std::u16string> local_files(const QMimeData* data) {
  std::vector<std::u16string> paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(url.toLocalFile().toStdU16String());
  }
  return paths;
}

bool accepts_files(HWND h) {
  return IsWindow(h) && IsWindowEnabled(h) && (DWORD(GetWindowLong(h, GWL_EXSTYLE)) & WS_EX_ACCEPTFILES);
}

// Turns the Qt drag events of an accepting window's widget into WM_DROPFILES.
class DropFilter : public QObject {
 public:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* widget = dynamic_cast<PlatformWidget*>(object);
    if (!widget) return false;
    HWND h = widget->window();
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (accepts_files(h) && !local_files(drag->mimeData()).empty()) {
          drag->setDropAction(Qt::CopyAction);
          drag->accept();
        } else {
          drag->ignore();
        }
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        QPoint global = widget->mapToGlobal(drop->position().toPoint());
        bool posted = accepts_files(h) &&
                      shell::post_dropped_files(h, local_files(drop->mimeData()), POINT{global.x(), global.y()});
        if (posted) {
          drop->setDropAction(Qt::CopyAction);
          drop->accept();
        } else {
          drop->ignore();
        }
        return true;
      }
      default:
        return false;
    }
  }
};

DropFilter& filter() {
  static DropFilter f;
  return f;
}

}  // namespace

void DragAcceptFiles(HWND h, BOOL accept) {
  win::Window* w = win::find_window(h);
  if (!w) return;
  DWORD ex = DWORD(GetWindowLong(h, GWL_EXSTYLE));
  SetWindowLong(h, GWL_EXSTYLE, LONG(accept ? ex | WS_EX_ACCEPTFILES : ex & ~WS_EX_ACCEPTFILES));
  if (!w->widget) return;
  w->widget->setAcceptDrops(accept != FALSE);
  if (accept) {
    w->widget->installEventFilter(&filter());
  } else {
    w->widget->removeEventFilter(&filter());
  }
}

UINT DragQueryFile(HDROP h, UINT index, char* buffer, UINT size) {
  const Drop* drop = find_drop(h);
  if (!drop) return 0;
  if (index == 0xFFFFFFFFu) return UINT(drop->paths.size());
  if (index >= drop->paths.size()) return 0;
  const std::string& path = drop->paths[index];
  if (!buffer) return UINT(path.size());
  if (size == 0) return 0;
  UINT n = std::min<UINT>(UINT(path.size()), size - 1);
  std::memcpy(buffer, path.data(), n);
  buffer[n] = '\0';
  return n;
}

BOOL DragQueryPoint(HDROP h, POINT* point) {
  const Drop* drop = find_drop(h);
  if (!drop) return FALSE;
  if (point) *point = drop->point;
  return drop->in_client;
}

void DragFinish(HDROP h) { table().drops.erase(reinterpret_cast<uintptr_t>(h)); }

namespace shell {

bool post_dropped_files(HWND h, const std::vector<std::u16string>& paths, POINT screen) {
  if (!IsWindow(h)) return false;
  Drop drop;
  for (const std::u16string& path : paths) {
    std::string cp = base::cp1250::from_utf16(path);
    if (base::cp1250::to_utf16(cp) == path) drop.paths.push_back(std::move(cp));
  }
  if (drop.paths.empty()) return false;
  drop.point = screen;
  ScreenToClient(h, &drop.point);
  RECT client{};
  GetClientRect(h, &client);
  drop.in_client = drop.point.x >= client.left && drop.point.x < client.right && drop.point.y >= client.top &&
                   drop.point.y < client.bottom;
  DropTable& t = table();
  uintptr_t id = t.next++;
  t.drops.emplace(id, std::move(drop));
  if (!PostMessage(h, WM_DROPFILES, WPARAM(id), 0)) {
    t.drops.erase(id);
    return false;
  }
  return true;
}

}  // namespace shell
