// Windows metafiles: holding, playing and recording them.
#pragma once

#include "platform/gdi/core/gdi_types.h"

// A metafile from its bytes (the header and the records, see metafile_format.h); null when the
// header is not a metafile's or the size is over the limit.
HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data);
// Copies the bytes out; with a null buffer, the size needed.
UINT GetMetaFileBitsEx(HMETAFILE mf, UINT size, void* buffer);
BOOL DeleteMetaFile(HMETAFILE mf);
// Plays the records into the context; unknown records are skipped. The context's state is saved
// and restored around the picture.
BOOL PlayMetaFile(HDC hdc, HMETAFILE mf);
// A context that records into a metafile in memory (`file` must be null): mapping calls,
// pattern fills and stretched bitmaps are recorded, in logical coordinates.
HDC CreateMetaFile(const char* file);
// Ends recording and returns the metafile; the context is deleted.
HMETAFILE CloseMetaFile(HDC hdc);
