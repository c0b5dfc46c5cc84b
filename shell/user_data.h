// The user's settings (CUserData) and the statistics of the open work (CDocumentData).
//
// The settings live under the key "Software\Fenwar\LumoKAL" of the local-machine root in four
// string values of comma-separated decimals: "UserData", "ColorPreferences", "PrnPreferences" and
// "NewPreferences" (their fields in order below). A string is read field by field and stops at the
// first field that does not convert; values out of range are brought into range when loaded, so a
// damaged store can never make the program unusable (a sheet limit of 0, a zero NEAR distance).
#pragma once

#include <cstdint>
#include <string>

#include "platform/base/cstring.h"
#include "platform/base/ctime.h"
#include "platform/base/win_types.h"

class CUserData {
 public:
  CUserData() = default;
  virtual ~CUserData() = default;

  // FALSE when the key cannot be opened or a non-empty string did not parse completely.
  BOOL Load();
  void Save();

  // The registry's four strings: parse one (by its value name) into the fields, or format it.
  // ParseString is TRUE only when every field of a non-empty text converted.
  BOOL ParseString(const char* value_name, const std::string& text);
  std::string FormatString(const char* value_name) const;
  // Brings every field with a range into it.
  void Clamp();

  // Colours (0x00BBGGRR) and link display.
  uint32_t m_crColorA = 0;
  uint32_t m_crColorB = 0x808080;
  uint32_t m_crColorC = 0x808080;
  int32_t m_bTipArt = 0;
  int32_t m_bTipArtW = 0;
  int32_t m_bTipDU = 1;
  int32_t m_bTipPoz = 1;
  int32_t m_bTrackLinks = 1;
  int32_t m_bNegativeLinks = 0;
  uint8_t m_bBoldDU = 0;
  uint8_t m_bBoldPoz = 0;
  uint8_t m_bBoldArt = 0;
  uint8_t m_bBoldArtW = 0;
  int32_t m_bHighlightDU = 1;
  int32_t m_bHighlightPoz = 1;
  int32_t m_bHighlightArt = 1;
  int32_t m_bHighlightArtW = 0;
  uint32_t m_crLinkDU = 0x800000;
  uint32_t m_crLinkPoz = 0x808000;
  uint32_t m_crLinkArt = 0x800080;
  uint32_t m_crLinkArtW = 0x008080;
  uint32_t m_crNegativeLink = 0xA4A0A0;
  // Page (millimetres).
  int32_t m_nMarginLeft = 20;
  int32_t m_nMarginTop = 18;
  int32_t m_nMarginRight = 15;
  int32_t m_nMarginBottom = 18;
  int32_t m_nNotesWidth = 70;
  int32_t m_nUnusedSwitch = 1;
  uint16_t m_nNearDistance = 8;
  // General.
  int32_t m_bHoverLook = 1;
  int32_t m_bAutostart = 1;
  int32_t m_nWorkbookMode = 1;
  int32_t m_bSounds = 0;
  int32_t m_bTipAtStart = 1;
  int32_t m_bOffice97 = 1;
  int32_t m_bFirstFoundWord = 1;  // not stored
  int32_t m_bGreyOutsideBinder = 0;
  int32_t m_tLibraryDate = 0;     // not stored
  int32_t m_nPollMessages = 1000;
  int32_t m_nMaxSheets = 8;
  // Printing.
  int32_t m_bNotesColumn = 0;
  int32_t m_bFooterDate = 1;
  int32_t m_bActHeader = 1;
  int32_t m_bExtendedInfo = 0;
  int32_t m_bFooterPerson = 0;
  int32_t m_bUnitPerPage = 0;
  int32_t m_bSmoothScroll = 0;
  int32_t m_bPageNumbers = 1;
  int32_t m_bAppendResults = 0;
  int32_t m_bShortActNumber = 1;
  int32_t m_bFooterWorkTitle = 1;
  // Advanced page.
  int32_t m_bCopyFormatted = 1;
  int32_t m_bCtrlCopyUnit = 0;
  int32_t m_bHistoryDelay = 0;
  int32_t m_nHistoryDelay = 20;
  int32_t m_nCopyFormat = 3;
  int32_t m_nUnusedValue = 0;
};

// Ranges the loaded settings are kept in.
inline constexpr int32_t kMinSheets = 1;
inline constexpr int32_t kMaxSheets = 16;

class CDocumentData {
 public:
  CDocumentData() : m_tMeasured(CTime::GetCurrentTime()) {}
  virtual ~CDocumentData() { AccumulateWorkTime(); }

  // The three counters mark the current work modified.
  void CountSearch();
  void CountPrintedPages(int pages);
  void CountOpenedTopic();
  // Adds the time since the last measuring point to the working time.
  void AccumulateWorkTime();
  // The values of a new work: now, nothing counted, "Nowa praca" by `author`.
  void Reset(const CString& author);

  uint32_t m_nSearches = 0;
  uint32_t m_nPrintedPages = 0;
  uint32_t m_nOpenedTopics = 0;
  CTime m_tMeasured;
  CTime m_tCreated;
  CTime m_tModified;
  CString m_strTitle;
  CString m_strAuthor;
  CTimeSpan m_tsWorkTime;
};
