// The program's command line: a work file to open, as the framework reads it, and the folder of
// the library: "--data FOLDER" (or "--data=FOLDER") names it for this run, as the CD's folder once
// did, without changing the stored setting.
#pragma once

#include <vector>

#include "platform/framework/app.h"

class CLumoCommandLineInfo : public CCommandLineInfo {
 public:
  // Empty when the command line names no folder.
  CString m_strDataDir;

  // Reads the program's arguments (CWinApp::m_arguments); the framework's parser reads all but
  // the folder switch and its value.
  void Parse(const std::vector<CString>& arguments);
};
