// Internet shortcuts: the address a shortcut stores, the file name a link's text gives, and the
// ".url" file written into a folder.
#include "controls/url_shortcut.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/cp1250.h"

namespace {

CString cp(const char* utf8) { return CString(base::cp1250::from_utf8(utf8)); }
std::string utf8(const CString& text) { return base::cp1250::to_utf8(text.view()); }

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(UrlShortcut, GuessesTheProtocolOfAnAddressThatNamesNone) {
  const struct {
    const char* address;
    const char* stored;
  } cases[] = {
      {"www.fenwar.pl", "http://www.fenwar.pl"},
      {"  www.fenwar.pl/kontakt  ", "http://www.fenwar.pl/kontakt"},
      {"http://www.fenwar.pl", "http://www.fenwar.pl"},
      {"https://example.org/a?b=c", "https://example.org/a?b=c"},
      {"mailto:biuro@fenwar.pl", "mailto:biuro@fenwar.pl"},
      {"biuro@fenwar.pl", "mailto:biuro@fenwar.pl"},
      {"ftp.fenwar.pl/pub", "ftp://ftp.fenwar.pl/pub"},
      {"FTP.fenwar.pl", "ftp://FTP.fenwar.pl"},
      {"www.a.pl\r\n[Inne]\r\nURL=zle", "http://www.a.pl[Inne]URL=zle"},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(utf8(hlink::guessed_address(cp(c.address))), c.stored);
  }
}

TEST(UrlShortcut, FileNamesKeepInsideTheirFolder) {
  const struct {
    const char* text;
    const char* name;
  } cases[] = {
      {"Obejrzyj strony WWW", "Obejrzyj strony WWW"},
      {"Dz.U. 1997/78: poz. 483?", "Dz.U. 1997_78_ poz. 483_"},
      {"../../etc/passwd", "_.._etc_passwd"},
      {"a\\b*c\"d<e>f|g", "a_b_c_d_e_f_g"},
      {"  .ukryty.  ", "ukryty"},
      {"Wyślij list", "Wyślij list"},
      {"tab\there", "tab_here"},
      {"..", "Skrót"},
      {"", "Skrót"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(utf8(hlink::shortcut_file_name(cp(c.text))), c.name);
  }
  // A long Polish text is cut where its UTF-8 form with ".url" still fits a file name.
  std::string long_text;
  for (int i = 0; i < 200; ++i) long_text += "ż";
  const std::string cut = utf8(hlink::shortcut_file_name(cp(long_text.c_str())));
  EXPECT_LE(cut.size() + 4, 255u);
  EXPECT_GE(cut.size() + 4, 253u);
}

TEST(UrlShortcut, WritesTheShortcutFileIntoTheFolder) {
  const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "pulpit_skroty";
  std::filesystem::remove_all(folder);
  // A missing folder is no place for a shortcut.
  EXPECT_FALSE(hlink::save_url_shortcut(CString(folder.string()), cp("Strony"), "www.fenwar.pl"));
  std::filesystem::create_directories(folder);
  ASSERT_TRUE(hlink::save_url_shortcut(CString(folder.string()), cp("Dz.U. 1997/78: Łódź"), "www.fenwar.pl"));
  EXPECT_EQ(read_file(folder / "Dz.U. 1997_78_ Łódź.url"), "[InternetShortcut]\r\nURL=http://www.fenwar.pl\r\n");
  // Nothing else was made, above or beside it.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 1);
  // The same name again replaces the shortcut; an empty address writes nothing.
  ASSERT_TRUE(hlink::save_url_shortcut(CString(folder.string() + "/"), cp("Dz.U. 1997/78: Łódź"), "mailto:a@b.pl"));
  EXPECT_EQ(read_file(folder / "Dz.U. 1997_78_ Łódź.url"), "[InternetShortcut]\r\nURL=mailto:a@b.pl\r\n");
  EXPECT_FALSE(hlink::save_url_shortcut(CString(folder.string()), cp("Pusty"), ""));
  EXPECT_FALSE(std::filesystem::exists(folder / "Pusty.url"));
}

}  // namespace
