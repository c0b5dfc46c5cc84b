// Opens arbitrary bytes as the notes database, walks its records both ways and deletes one.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/base/temp_folder.h"
#include "shell/note_recordset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = base::temp_folder() + "/fuzz_notes.db";
  std::remove(path.c_str());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));
  {
    CNoteRecordset notes;
    if (notes.Open(path)) {
      long seen = 0;
      for (notes.MoveFirst(); !notes.IsEOF(); notes.MoveNext()) {
        if (notes.m_note.GetLength() > CNoteRecordset::kMaxText || notes.m_gid.GetLength() > CNoteRecordset::kMaxText)
          std::abort();
        ++seen;
      }
      if (seen != notes.GetRecordCount()) std::abort();
      for (notes.MoveLast(); !notes.IsBOF(); notes.MovePrev()) {
      }
      notes.MoveFirst();
      if (notes.HasCurrent()) notes.Delete();
    }
  }
  std::remove(path.c_str());
  for (const char* suffix : {"-journal", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  return 0;
}
