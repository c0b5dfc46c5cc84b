#include "shell/user_data.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <variant>

#include "shell/lumo_kal_doc.h"
#include "toolkit/frame/registry.h"

namespace {

constexpr const char* kSettingsKey = "Software\\Fenwar\\LumoKAL";

using Field = std::variant<int32_t CUserData::*, uint32_t CUserData::*, uint8_t CUserData::*, uint16_t CUserData::*>;

struct StoredString {
  const char* name;
  std::span<const Field> fields;
};

constexpr Field kUserData[] = {
    &CUserData::m_nNotesWidth,   &CUserData::m_nNearDistance,      &CUserData::m_bOffice97,
    &CUserData::m_nUnusedSwitch, &CUserData::m_bSounds,            &CUserData::m_bTipAtStart,
    &CUserData::m_bGreyOutsideBinder, &CUserData::m_nWorkbookMode, &CUserData::m_nPollMessages,
    &CUserData::m_nMaxSheets,    &CUserData::m_nMarginLeft,        &CUserData::m_nMarginRight,
    &CUserData::m_nMarginTop,    &CUserData::m_nMarginBottom,
};
constexpr Field kColorPreferences[] = {
    &CUserData::m_bTipArt,      &CUserData::m_bTipArtW,      &CUserData::m_bTipDU,        &CUserData::m_bTipPoz,
    &CUserData::m_bTrackLinks,  &CUserData::m_bNegativeLinks, &CUserData::m_crColorA,     &CUserData::m_crColorB,
    &CUserData::m_crColorC,     &CUserData::m_bBoldDU,       &CUserData::m_bBoldPoz,      &CUserData::m_bBoldArt,
    &CUserData::m_bBoldArtW,    &CUserData::m_crLinkDU,      &CUserData::m_crLinkPoz,     &CUserData::m_crLinkArt,
    &CUserData::m_crLinkArtW,   &CUserData::m_crNegativeLink, &CUserData::m_bHighlightDU, &CUserData::m_bHighlightPoz,
    &CUserData::m_bHighlightArt, &CUserData::m_bHighlightArtW,
};
constexpr Field kPrnPreferences[] = {
    &CUserData::m_bNotesColumn,   &CUserData::m_bFooterDate,    &CUserData::m_bActHeader,
    &CUserData::m_bExtendedInfo,  &CUserData::m_bFooterPerson,  &CUserData::m_bSmoothScroll,
    &CUserData::m_bUnitPerPage,   &CUserData::m_bPageNumbers,   &CUserData::m_bAppendResults,
    &CUserData::m_bShortActNumber, &CUserData::m_bFooterWorkTitle, &CUserData::m_bHoverLook,
    &CUserData::m_bAutostart,
};
constexpr Field kNewPreferences[] = {
    &CUserData::m_nUnusedValue, &CUserData::m_bCopyFormatted, &CUserData::m_bCtrlCopyUnit,
    &CUserData::m_bHistoryDelay, &CUserData::m_nHistoryDelay, &CUserData::m_nCopyFormat,
};
constexpr StoredString kStrings[] = {
    {"UserData", kUserData},
    {"ColorPreferences", kColorPreferences},
    {"PrnPreferences", kPrnPreferences},
    {"NewPreferences", kNewPreferences},
};

const StoredString* Find(const char* name) {
  for (const StoredString& s : kStrings) {
    if (std::strcmp(s.name, name) == 0) return &s;
  }
  return nullptr;
}

// One decimal as the C library's "%d" reads it: blanks, an optional sign, digits. The value keeps
// its low 32 bits; false when no digit follows.
bool ReadDecimal(const std::string& text, size_t& at, uint32_t& value) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r'))
    ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  const size_t first = at;
  uint32_t v = 0;
  while (at < text.size() && text[at] >= '0' && text[at] <= '9') v = v * 10 + uint32_t(text[at++] - '0');
  if (at == first) return false;
  value = negative ? 0u - v : v;
  return true;
}

template <typename T>
void ClampField(T& field, T low, T high) {
  field = std::clamp(field, low, high);
}

}  // namespace

BOOL CUserData::ParseString(const char* value_name, const std::string& text) {
  const StoredString* stored = Find(value_name);
  if (!stored) return FALSE;
  if (text.empty()) return TRUE;
  size_t at = 0;
  for (size_t i = 0; i < stored->fields.size(); ++i) {
    if (i > 0) {
      if (at >= text.size() || text[at] != ',') return FALSE;
      ++at;
    }
    uint32_t value = 0;
    if (!ReadDecimal(text, at, value)) return FALSE;
    std::visit([&](auto member) { this->*member = static_cast<std::remove_reference_t<decltype(this->*member)>>(value); },
               stored->fields[i]);
  }
  return TRUE;
}

std::string CUserData::FormatString(const char* value_name) const {
  const StoredString* stored = Find(value_name);
  if (!stored) return {};
  std::string out;
  for (const Field& field : stored->fields) {
    if (!out.empty()) out += ',';
    std::visit(
        [&](auto member) {
          const auto value = this->*member;
          if constexpr (std::is_same_v<decltype(value), const int32_t>) {
            out += std::to_string(value);
          } else {
            out += std::to_string(uint32_t(value));
          }
        },
        field);
  }
  return out;
}

void CUserData::Clamp() {
  ClampField(m_nMaxSheets, kMinSheets, kMaxSheets);
  ClampField(m_nPollMessages, 1, 100000);
  ClampField<uint16_t>(m_nNearDistance, 1, 100);
  ClampField(m_nMarginLeft, 0, 100);
  ClampField(m_nMarginTop, 0, 100);
  ClampField(m_nMarginRight, 0, 100);
  ClampField(m_nMarginBottom, 0, 100);
  ClampField(m_nNotesWidth, 0, 150);
  ClampField(m_nCopyFormat, 1, 4);
  ClampField(m_nHistoryDelay, 0, 3600);
  ClampField(m_nWorkbookMode, 0, 1);
}

BOOL CUserData::Load() {
  SECRegistry registry;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Open(kSettingsKey, KEY_READ)) return FALSE;
  BOOL complete = TRUE;
  for (const StoredString& s : kStrings) {
    CString text;
    if (!registry.QueryStringValue(s.name, text)) text.Empty();
    if (!ParseString(s.name, text.str())) complete = FALSE;
  }
  registry.Close();
  Clamp();
  return complete;
}

void CUserData::Save() {
  SECRegistry registry;
  if (!registry.Connect(HKEY_LOCAL_MACHINE) || !registry.Create(kSettingsKey)) return;
  for (const StoredString& s : kStrings) registry.SetStringValue(s.name, CString(FormatString(s.name)));
  registry.Close();
}

// --- Statistics ------------------------------------------------------------------------------------

namespace {
void MarkWorkModified() {
  if (CLumoKALDoc* work = CLumoKALDoc::GetCurrentWork()) work->SetModifiedFlag(TRUE);
}
}  // namespace

void CDocumentData::CountSearch() {
  MarkWorkModified();
  ++m_nSearches;
}

void CDocumentData::CountPrintedPages(int pages) {
  MarkWorkModified();
  m_nPrintedPages += uint32_t(std::max(pages, 0));
}

void CDocumentData::CountOpenedTopic() {
  MarkWorkModified();
  ++m_nOpenedTopics;
}

void CDocumentData::AccumulateWorkTime() {
  const CTime now = CTime::GetCurrentTime();
  m_tsWorkTime += CTimeSpan(std::max<int64_t>(now.GetTime() - m_tMeasured.GetTime(), 0));
  m_tMeasured = now;
}

void CDocumentData::Reset(const CString& author) {
  m_tMeasured = m_tCreated = m_tModified = CTime::GetCurrentTime();
  m_tsWorkTime = CTimeSpan();
  m_nSearches = m_nPrintedPages = m_nOpenedTopics = 0;
  m_strTitle = CString("Nowa praca");
  m_strAuthor = author;
}
