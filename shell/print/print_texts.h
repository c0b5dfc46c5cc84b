// The texts of a printout: the act citation of the header, the page text, the work-information
// footer ("Data wydruku: ...", "Tytuł pracy: ..."), and the layout numbers every printout shares.
#pragma once

#include "platform/base/cstring.h"
#include "shell/core/contents_reader.h"

class CUserData;

namespace printtext {

// The header's act citation: "(D.U. z 1998 r. Nr 35 poz. 218)", " - załącznik" for an attachment,
// "(D.U. z 1998 r. Nr 35)" for a journal issue, "(Rocznik 1998)" for a yearbook; empty when the
// setting for a short act number is off.
CString ActCitation(const shell::ActDescription& d, bool short_act_number);
// The header of a printed picture of the act: "D.U. z 1998 r. Nr 12 poz 34 - Formularz/Rysunek",
// for an attachment "Zał. do (D.U. z ... poz 34) - Formularz/Rysunek"; empty when the short act
// number is not printed.
CString PictureCitation(const shell::ActDescription& d, bool short_act_number);
// "Strona %d" when pages are numbered, else empty.
CString PageFormat(bool page_numbers);
// The page text from the format: "Strona 3", or with a total "Strona 3 / 7".
CString PageText(const CString& format, int page, int total);
// The footer: "Data wydruku: <date>\r\nTytuł pracy: <title>", or one of its lines, or nothing.
CString WorkInfo(bool print_date, bool work_title, const CString& date, const CString& title);
// Today as the footer writes it: "środa, 28 października 2026".
CString PrintDate();
// The footer of the current work from the user's settings.
CString WorkInfoFromSettings(const CUserData& settings, const CString& work_title);

// The label over the notes area.
inline constexpr const char* kNotesLabel = "N  O  T  A  T  K  I:";

}  // namespace printtext
