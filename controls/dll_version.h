// CDLLVersion: the version of a system library, as the program checks the common controls with
// at start-up.
#pragma once

#include "platform/base/cstring.h"
#include "platform/base/win_types.h"

class CDLLVersion {
 public:
  CDLLVersion() = default;
  virtual ~CDLLVersion() = default;

  // The library's major, minor and build number: first what the library itself reports, then its
  // file version text. FALSE when neither is found; the outputs are then unchanged.
  BOOL GetDllVersion(const char* file_name, DWORD& major, DWORD& minor, DWORD& build);

  // A file version text ("4.72.3110.0"): its first three dot-separated parts as decimal numbers.
  // FALSE for fewer than three parts or a part that is not a number.
  static BOOL ParseVersionString(const char* text, DWORD& major, DWORD& minor, DWORD& build);

 protected:
  // The file version text of the library's version resource. Libraries on this platform carry
  // none, so there is no text to give.
  virtual BOOL GetFileVersionString(const char* file_name, CString& text);
};
