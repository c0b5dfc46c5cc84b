#include "platform/shell/clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <algorithm>
#include <map>
#include <memory>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/win/window_api.h"

namespace {

struct Formats {
  std::map<std::string, UINT> by_name;  // lower-cased CP1250 names
  std::map<UINT, std::string> names;
  UINT next = 0xC000;
};

Formats& formats() {
  static Formats f;
  return f;
}

struct OpenState {
  HWND owner = nullptr;
  bool open = false;
  bool emptied = false;
  std::unique_ptr<QMimeData> pending;
};

OpenState& state() {
  static OpenState s;
  return s;
}

std::string name_of(UINT format) {
  auto it = formats().names.find(format);
  return it == formats().names.end() ? std::string() : it->second;
}

// BMP files hold a 14-byte file header in front of the DIB: "BM", the file size, two reserved
// words and the offset of the pixels (after the info header and the colour table).
QByteArray dib_to_bmp(std::span<const uint8_t> dib) {
  base::ByteReader r(dib);
  uint32_t header = r.u32();  // info header size
  r.skip(10);                 // width, height, planes
  uint16_t bits = r.u16();
  r.skip(16);                 // compression, image size, resolutions
  uint32_t used = header >= 40 ? r.u32() : 0;
  if (!r.ok() || header < 12 || header > dib.size() || bits > 32) return {};
  uint64_t colours = bits <= 8 ? (used ? used : (1u << bits)) : used;
  uint64_t offset = 14 + uint64_t(header) + colours * 4;
  uint64_t size = 14 + dib.size();
  if (offset > size || size > 0xFFFFFFFFu) return {};
  const char head[14] = {'B', 'M', char(size), char(size >> 8), char(size >> 16), char(size >> 24), 0, 0, 0, 0,
                         char(offset), char(offset >> 8), char(offset >> 16), char(offset >> 24)};
  QByteArray bmp(head, 14);
  bmp.append(reinterpret_cast<const char*>(dib.data()), qsizetype(dib.size()));
  return bmp;
}

}  // namespace

UINT RegisterClipboardFormat(const char* name) {
  if (!name || !*name) return 0;
  Formats& f = formats();
  std::string key = base::cp1250::to_lower(std::string_view(name));
  if (auto it = f.by_name.find(key); it != f.by_name.end()) return it->second;
  if (f.next > 0xFFFF) return 0;
  UINT id = f.next++;
  f.by_name[key] = id;
  f.names[id] = name;
  return id;
}

int GetClipboardFormatName(UINT format, char* buffer, int size) {
  std::string name = name_of(format);
  if (name.empty() || !buffer || size <= 0) return 0;
  int n = std::min(int(name.size()), size - 1);
  std::copy_n(name.data(), n, buffer);
  buffer[n] = '\0';
  return n;
}

BOOL OpenClipboard(HWND owner) {
  OpenState& s = state();
  if (s.open) return FALSE;
  s.open = true;
  s.owner = owner;
  s.emptied = false;
  s.pending.reset();
  return TRUE;
}

BOOL EmptyClipboard() {
  OpenState& s = state();
  if (!s.open) return FALSE;
  s.emptied = true;
  s.pending = std::make_unique<QMimeData>();
  return TRUE;
}

BOOL SetClipboardData(UINT format, std::span<const uint8_t> bytes) {
  OpenState& s = state();
  if (!s.open || format == 0) return FALSE;
  if (!s.pending) {
    // Without EmptyClipboard the new format joins what is there.
    s.pending = std::make_unique<QMimeData>();
    if (const QMimeData* current = QApplication::clipboard()->mimeData()) {
      for (const QString& type : current->formats()) s.pending->setData(type, current->data(type));
    }
  }
  shell::put_format(*s.pending, format, bytes);
  return TRUE;
}

BOOL CloseClipboard() {
  OpenState& s = state();
  if (!s.open) return FALSE;
  s.open = false;
  // The system clipboard takes ownership of the data.
  if (s.pending) QApplication::clipboard()->setMimeData(s.pending.release());
  return TRUE;
}

std::vector<uint8_t> GetClipboardData(UINT format) {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  return mime ? shell::get_format(*mime, format) : std::vector<uint8_t>();
}

BOOL IsClipboardFormatAvailable(UINT format) {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  if (!mime) return FALSE;
  auto list = shell::formats_in(*mime);
  return std::find(list.begin(), list.end(), format) != list.end();
}

std::vector<UINT> clipboard_formats() {
  const QMimeData* mime = QApplication::clipboard()->mimeData();
  return mime ? shell::formats_in(*mime) : std::vector<UINT>();
}

namespace shell {

std::string mime_type_of(UINT format) {
  switch (format) {
    case CF_TEXT:
    case CF_UNICODETEXT: return "text/plain";
    case CF_DIB:
    case CF_BITMAP: return "image/bmp";
    case CF_HDROP: return "text/uri-list";
    default: break;
  }
  std::string name = name_of(format);
  if (name.empty()) return std::string();
  std::string lower = base::cp1250::to_lower(name);
  if (lower == "rich text format") return "text/rtf";
  if (lower == "topic info") return "application/x-lumo-topic-info";
  // Other registered names travel under a type made from the name's letters and digits.
  std::string type = "application/x-lumo-";
  for (char c : base::cp1250::to_utf8(lower)) type += (std::isalnum(static_cast<unsigned char>(c)) ? c : '-');
  return type;
}

void put_format(QMimeData& mime, UINT format, std::span<const uint8_t> bytes) {
  std::string type = mime_type_of(format);
  if (type.empty()) return;
  if (format == CF_TEXT) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));
    mime.setText(QString::fromStdString(base::cp1250::to_utf8(text)));
    return;
  }
  if (format == CF_DIB) {
    QByteArray bmp = dib_to_bmp(bytes);
    if (!bmp.isEmpty()) mime.setData("image/bmp", bmp);
    return;
  }
  mime.setData(QString::fromStdString(type), QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
}

std::vector<uint8_t> get_format(const QMimeData& mime, UINT format) {
  auto bytes_of = [](const QByteArray& b) { return std::vector<uint8_t>(b.begin(), b.end()); };
  if (format == CF_TEXT) {
    if (!mime.hasText()) return {};
    std::string text = base::cp1250::from_utf8(mime.text().toStdString());
    std::vector<uint8_t> out(text.begin(), text.end());
    out.push_back(0);
    return out;
  }
  if (format == CF_DIB) {
    QByteArray bmp = mime.data("image/bmp");
    if (bmp.size() > 14 && bmp.startsWith("BM")) return bytes_of(bmp.mid(14));
    if (mime.hasImage()) {
      // Another program's picture: stored as a BMP and handed out without its file header.
      QImage image = qvariant_cast<QImage>(mime.imageData());
      QBuffer buffer;
      buffer.open(QIODevice::WriteOnly);
      image.save(&buffer, "BMP");
      if (buffer.data().size() > 14) return bytes_of(buffer.data().mid(14));
    }
    return {};
  }
  std::string type = mime_type_of(format);
  if (type.empty() || !mime.hasFormat(QString::fromStdString(type))) return {};
  return bytes_of(mime.data(QString::fromStdString(type)));
}

std::vector<UINT> formats_in(const QMimeData& mime) {
  std::vector<UINT> out;
  if (mime.hasText()) out.push_back(CF_TEXT);
  if (mime.hasFormat("image/bmp") || mime.hasImage()) out.push_back(CF_DIB);
  for (const auto& [id, name] : formats().names) {
    std::string type = mime_type_of(id);
    if (mime.hasFormat(QString::fromStdString(type))) out.push_back(id);
  }
  return out;
}

}  // namespace shell
