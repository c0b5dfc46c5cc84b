// Opening things the way the desktop shell does: web and "mailto:" addresses and documents with
// the desktop's program for them, programs by starting them; and the version a system library
// reports, for the libraries whose behaviour the platform layer gives.
#pragma once

#include "platform/base/win_types.h"

// Results of ShellExecute at or below 32 are errors.
constexpr int ERROR_FILE_NOT_FOUND = 2;
constexpr int SE_ERR_NOASSOC = 31;
constexpr int kShellExecuteSuccess = 33;

// Verbs "open" (or none) and "explore"; anything else has no program (SE_ERR_NOASSOC). Programs
// get the parameters split at blanks (text in double quotes stays together).
HINSTANCE ShellExecute(HWND hwnd, const char* lpOperation, const char* lpFile, const char* lpParameters,
                       const char* lpDirectory, int nShowCmd);

struct DLLVERSIONINFO {
  DWORD cbSize = sizeof(DLLVERSIONINFO);
  DWORD dwMajorVersion = 0;
  DWORD dwMinorVersion = 0;
  DWORD dwBuildNumber = 0;
  DWORD dwPlatformID = 0;
};

// The version of a library named as on the platform ("comctl32.dll", any case, with or without a
// folder); FALSE for a library the layer does not stand in for.
BOOL GetDllVersionInfo(const char* file_name, DLLVERSIONINFO* info);
