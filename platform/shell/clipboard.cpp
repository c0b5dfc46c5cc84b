#include "platform/shell/clipboard.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPointer>
#include <algorithm>
#include <map>
#include <memory>

#include "platform/base/byte_io.h"
#include "platform/base/cp1250.h"
#include "platform/gdi/core/metafile_api.h"
#include "platform/gdi/core/object_api.h"
#include "platform/win/message_queue.h"
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

constexpr const char* kPaletteType = "application/x-lumo-palette";
constexpr const char* kMetafilePictureType = "application/x-lumo-metafile-picture";
constexpr const char* kMetafileType = "image/x-wmf";
constexpr const char* kUtf8TextType = "text/plain;charset=utf-8";
constexpr size_t kMetafilePictureHead = 12;
constexpr size_t kMaxPaletteEntries = 256;

// The MIME types a format travels as (a metafile picture also as a bare metafile).
QStringList types_of(UINT format) {
  if (format == CF_METAFILEPICT) return {kMetafilePictureType, kMetafileType};
  std::string type = shell::mime_type_of(format);
  return type.empty() ? QStringList() : QStringList{QString::fromStdString(type)};
}

class OfferedData;

struct OpenState {
  HWND owner = nullptr;
  bool open = false;
  bool emptied = false;
  std::unique_ptr<OfferedData> pending;
  // The program's data on the system clipboard (Qt owns it and may delete it).
  QPointer<OfferedData> offered;
  // The window that emptied the clipboard for that data.
  HWND data_owner = nullptr;
  // The data a WM_RENDERFORMAT or WM_RENDERALLFORMATS is being answered for.
  OfferedData* rendering = nullptr;
};

OpenState& state();

// The program's data on the clipboard: formats with their bytes, and formats offered for rendering
// later, which Qt hears of as types it may ask for.
class OfferedData : public QMimeData {
 public:
  void offer(UINT format) {
    if (std::find(delayed_.begin(), delayed_.end(), format) == delayed_.end()) delayed_.push_back(format);
  }
  const std::vector<UINT>& delayed() const { return delayed_; }
  void drop_delayed() { delayed_.clear(); }

  QStringList formats() const override {
    QStringList list = QMimeData::formats();
    for (UINT format : delayed_) {
      for (const QString& type : types_of(format))
        if (!list.contains(type)) list << type;
    }
    return list;
  }
  bool hasFormat(const QString& type) const override { return formats().contains(type); }

 protected:
  QVariant retrieveData(const QString& type, QMetaType meta) const override {
    std::vector<UINT> due;
    for (UINT format : delayed_)
      if (types_of(format).contains(type)) due.push_back(format);
    for (UINT format : due) const_cast<OfferedData*>(this)->render(format);
    return QMimeData::retrieveData(type, meta);
  }

 private:
  // Asks the owner for one format; whatever it answers, the format is no longer pending.
  void render(UINT format) {
    std::erase(delayed_, format);
    OpenState& s = state();
    if (!IsWindow(s.data_owner) || s.offered != this || s.rendering) return;
    s.rendering = this;
    SendMessage(s.data_owner, WM_RENDERFORMAT, format, 0);
    s.rendering = nullptr;
  }

  std::vector<UINT> delayed_;
};

OpenState& state() {
  static OpenState s;
  return s;
}

// Before the owner of the program's data goes, it renders what it still offers.
void owner_destroyed(HWND h) {
  OpenState& s = state();
  if (h != s.data_owner) return;
  OfferedData* data = s.offered.data();
  if (data && !data->delayed().empty() && !s.rendering) {
    s.rendering = data;
    SendMessage(h, WM_RENDERALLFORMATS, 0, 0);
    s.rendering = nullptr;
  }
  if (OfferedData* still = s.offered.data()) still->drop_delayed();
  s.data_owner = nullptr;
}

void watch_owners() {
  static bool watching = false;
  if (!watching) win::add_destroy_observer(owner_destroyed);
  watching = true;
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
  s.pending = std::make_unique<OfferedData>();
  return TRUE;
}

namespace {

// The data being written between OpenClipboard and CloseClipboard.
OfferedData& pending_data() {
  OpenState& s = state();
  if (!s.pending) {
    // Without EmptyClipboard the new format joins what is there.
    s.pending = std::make_unique<OfferedData>();
    if (const QMimeData* current = QApplication::clipboard()->mimeData()) {
      for (const QString& type : current->formats()) s.pending->setData(type, current->data(type));
    }
  }
  return *s.pending;
}

}  // namespace

BOOL SetClipboardData(UINT format, std::span<const uint8_t> bytes) {
  OpenState& s = state();
  if (format == 0) return FALSE;
  // The owner answering a render request writes into the data on the clipboard.
  if (s.rendering && !s.pending) {
    shell::put_format(*s.rendering, format, bytes);
    return TRUE;
  }
  if (!s.open) return FALSE;
  shell::put_format(pending_data(), format, bytes);
  return TRUE;
}

BOOL SetClipboardData(UINT format, std::nullptr_t) {
  OpenState& s = state();
  if (!s.open || format == 0 || types_of(format).isEmpty()) return FALSE;
  pending_data().offer(format);
  return TRUE;
}

BOOL CloseClipboard() {
  OpenState& s = state();
  if (!s.open) return FALSE;
  s.open = false;
  if (!s.pending) return TRUE;
  // The system clipboard takes ownership of the data.
  s.data_owner = s.owner;
  if (!s.pending->delayed().empty()) watch_owners();
  s.offered = s.pending.get();
  QApplication::clipboard()->setMimeData(s.pending.release());
  return TRUE;
}

HWND GetClipboardOwner() {
  OpenState& s = state();
  bool ours = s.offered && QApplication::clipboard()->mimeData() == s.offered.data();
  return ours && IsWindow(s.data_owner) ? s.data_owner : nullptr;
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
    case CF_TEXT: return "text/plain";
    case CF_UNICODETEXT: return kUtf8TextType;
    case CF_DIB:
    case CF_BITMAP: return "image/bmp";
    case CF_HDROP: return "text/uri-list";
    case CF_PALETTE: return kPaletteType;
    case CF_METAFILEPICT: return kMetafilePictureType;
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
  if (format == CF_UNICODETEXT) {
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    text = text.substr(0, text.find('\0'));
    mime.setData(kUtf8TextType, QByteArray(text.data(), qsizetype(text.size())));
    if (!mime.hasText()) mime.setText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    return;
  }
  if (format == CF_DIB) {
    QByteArray bmp = dib_to_bmp(bytes);
    if (!bmp.isEmpty()) mime.setData("image/bmp", bmp);
    return;
  }
  if (format == CF_METAFILEPICT && bytes.size() > kMetafilePictureHead) {
    auto bits = bytes.subspan(kMetafilePictureHead);
    mime.setData(kMetafileType, QByteArray(reinterpret_cast<const char*>(bits.data()), qsizetype(bits.size())));
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
  if (format == CF_UNICODETEXT) {
    QByteArray text;
    if (mime.hasFormat(kUtf8TextType)) {
      text = mime.data(kUtf8TextType);
      text.truncate(text.indexOf('\0') < 0 ? text.size() : text.indexOf('\0'));
    } else if (mime.hasText()) {
      text = mime.text().toUtf8();
    } else {
      return {};
    }
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
  if (mime.hasText() || mime.hasFormat(kUtf8TextType)) out.push_back(CF_UNICODETEXT);
  if (mime.hasFormat("image/bmp") || mime.hasImage()) out.push_back(CF_DIB);
  if (mime.hasFormat(kPaletteType)) out.push_back(CF_PALETTE);
  if (mime.hasFormat(kMetafilePictureType)) out.push_back(CF_METAFILEPICT);
  for (const auto& [id, name] : formats().names) {
    std::string type = mime_type_of(id);
    if (mime.hasFormat(QString::fromStdString(type))) out.push_back(id);
  }
  return out;
}

std::vector<uint8_t> palette_bytes(HPALETTE palette) {
  UINT count = std::min<UINT>(GetPaletteEntries(palette, 0, 0, nullptr), kMaxPaletteEntries);
  if (count == 0) return {};
  std::vector<PALETTEENTRY> entries(count);
  GetPaletteEntries(palette, 0, count, entries.data());
  std::vector<uint8_t> out{0x00, 0x03, uint8_t(count), uint8_t(count >> 8)};
  for (const PALETTEENTRY& e : entries) out.insert(out.end(), {e.peRed, e.peGreen, e.peBlue, e.peFlags});
  return out;
}

HPALETTE palette_from_bytes(std::span<const uint8_t> bytes) {
  base::ByteReader r(bytes);
  uint16_t version = r.u16();
  uint16_t count = r.u16();
  if (!r.ok() || version != 0x0300 || count == 0 || count > kMaxPaletteEntries ||
      bytes.size() != 4 + size_t(count) * 4) {
    return nullptr;
  }
  // LOGPALETTE holds its first entry; the rest run on after it.
  std::vector<uint8_t> record(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (count - 1));
  auto* palette = reinterpret_cast<LOGPALETTE*>(record.data());
  palette->palVersion = version;
  palette->palNumEntries = count;
  std::copy(bytes.begin() + 4, bytes.end(), reinterpret_cast<uint8_t*>(palette->palPalEntry));
  return CreatePalette(palette);
}

std::vector<uint8_t> metafile_picture_bytes(const METAFILEPICT& picture) {
  UINT size = GetMetaFileBitsEx(picture.hMF, 0, nullptr);
  if (size == 0) return {};
  std::vector<uint8_t> out(kMetafilePictureHead + size);
  base::store_le32(out.data(), uint32_t(picture.mm));
  base::store_le32(out.data() + 4, uint32_t(picture.xExt));
  base::store_le32(out.data() + 8, uint32_t(picture.yExt));
  if (GetMetaFileBitsEx(picture.hMF, size, out.data() + kMetafilePictureHead) != size) return {};
  return out;
}

bool metafile_picture_from_bytes(std::span<const uint8_t> bytes, METAFILEPICT& picture) {
  base::ByteReader r(bytes);
  int32_t mm = int32_t(r.u32());
  int32_t x = int32_t(r.u32());
  int32_t y = int32_t(r.u32());
  if (!r.ok() || bytes.size() <= kMetafilePictureHead || mm < MM_TEXT || mm > MM_ANISOTROPIC) return false;
  auto bits = bytes.subspan(kMetafilePictureHead);
  HMETAFILE metafile = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
  if (!metafile) return false;
  picture = METAFILEPICT{mm, x, y, metafile};
  return true;
}

}  // namespace shell
