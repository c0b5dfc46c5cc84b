#include "platform/gdi/core/metafile_api.h"

#include <cstring>

#include "platform/gdi/core/dc_api.h"
#include "platform/gdi/core/device_context.h"
#include "platform/gdi/core/metafile_format.h"
#include "platform/gdi/core/metafile_player.h"
#include "platform/gdi/core/metafile_writer.h"

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data) {
  if (!data || size > gdi::wmf::kMaxMetafileBytes) return nullptr;
  base::ByteReader r(data, size);
  gdi::wmf::Header header;
  if (!gdi::wmf::read_header(r, header)) return nullptr;
  return static_cast<HMETAFILE>(
      gdi::create_object(gdi::MetafileObject{std::vector<uint8_t>(data, data + size)}));
}

UINT GetMetaFileBitsEx(HMETAFILE mf, UINT size, void* buffer) {
  auto* m = gdi::object_as<gdi::MetafileObject>(mf);
  if (!m) return 0;
  if (!buffer) return UINT(m->bytes.size());
  if (size < m->bytes.size()) return 0;
  std::memcpy(buffer, m->bytes.data(), m->bytes.size());
  return UINT(m->bytes.size());
}

BOOL DeleteMetaFile(HMETAFILE mf) {
  return gdi::object_as<gdi::MetafileObject>(mf) && gdi::delete_object(mf);
}

BOOL PlayMetaFile(HDC hdc, HMETAFILE mf) {
  auto* m = gdi::object_as<gdi::MetafileObject>(mf);
  return m && gdi::play_metafile(hdc, m->bytes);
}

HDC CreateMetaFile(const char* file) {
  if (file) return nullptr;
  auto recorder = std::make_unique<gdi::MetafileRecorder>();
  gdi::MetafileRecorder* raw = recorder.get();
  HDC hdc = gdi::create_context(std::move(recorder));
  raw->watch(&gdi::context_of(hdc)->state().mapping);
  return hdc;
}

HMETAFILE CloseMetaFile(HDC hdc) {
  gdi::DeviceContext* dc = gdi::context_of(hdc);
  auto* recorder = dc ? dynamic_cast<gdi::MetafileRecorder*>(&dc->device()) : nullptr;
  if (!recorder) return nullptr;
  std::vector<uint8_t> bytes = recorder->finish();
  DeleteDC(hdc);
  return static_cast<HMETAFILE>(gdi::create_object(gdi::MetafileObject{std::move(bytes)}));
}
