// The act text reader: the sample acts, every act of the shared corpus, and malformed files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "platform/base/cp1250.h"
#include "tools/compiler/act_text.h"

namespace {

using namespace compiler;

std::string Source(const std::string& rel) { return std::string(std::getenv("LUMO_SOURCE_DIR")) + "/" + rel; }
std::string Cp(const char* utf8) { return base::cp1250::from_utf8(utf8); }

TEST(ActText, SampleActWithDivisionsAndAttachment) {
  const ActParseResult r = ReadAct(Source("samples/acts/1998_34.txt"));
  ASSERT_TRUE(r.ok) << r.message;
  const Act& act = r.act;
  EXPECT_EQ(act.year, 1998);
  EXPECT_EQ(act.number, 12);
  EXPECT_EQ(act.position, 34);
  EXPECT_EQ(act.kind, "USTAWA");
  EXPECT_EQ(act.day, 14);
  EXPECT_EQ(act.month, 1);
  EXPECT_EQ(act.date_year, 1998);
  EXPECT_EQ(act.title, "o bibliotekach gminnych i czytelniach");
  std::string outline;
  for (const ActSection& s : act.sections) outline += std::to_string(s.level) + ":" + s.label + "/" + s.name + ";";
  EXPECT_EQ(outline, Cp("7:/;3:DZIAŁ I/Przepisy ogólne;2:Rozdział 1/Zakres stosowania;2:Rozdział 2/Organizacja;"
                        "3:DZIAŁ II/Zbiory i ich udostępnianie;3:DZIAŁ III/Przepisy końcowe;"
                        "7:Załącznik nr 1/WZÓR KARTY CZYTELNIKA;"));
  const ActSection& chapter = act.sections[2];
  ASSERT_GE(chapter.blocks.size(), 2u);
  EXPECT_EQ(chapter.blocks[0].kind, BlockKind::kArticle);
  EXPECT_EQ(chapter.blocks[0].article, 1);
  EXPECT_EQ(chapter.blocks[1].text, Cp("Ustawa określa zasady tworzenia, prowadzenia i finansowania bibliotek "
                                       "gminnych oraz czytelni publicznych."));
  const ActSection& attachment = act.sections.back();
  EXPECT_EQ(attachment.attachment, 1);
  ASSERT_FALSE(attachment.blocks.empty());
  EXPECT_EQ(attachment.blocks[0].kind, BlockKind::kFigure);
  EXPECT_EQ(attachment.blocks[0].text, "karta.png");
  EXPECT_EQ(attachment.blocks[1].kind, BlockKind::kTableLine);
}

TEST(ActText, PointsAndParagraphsStartNewBlocks) {
  const ActParseResult r = ParseAct(
      "Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\nz dnia 2 lutego 1999 r.\no czymś\n\nArt. 1. Pierwsze zdanie\n"
      "ciąg dalszy:\n 1) punkt,\n 2) drugi\n    punkt.\n \xC2\xA7 2. Ustęp.\n",
      "x.txt");
  ASSERT_TRUE(r.ok) << r.message;
  std::vector<std::string> texts;
  for (const ActBlock& b : r.act.sections[0].blocks) texts.push_back(b.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Art. 1.", Cp("Pierwsze zdanie ciąg dalszy:"), "1) punkt,",
                                             "2) drugi punkt.", Cp("§ 2. Ustęp.")}));
}

// Article headings: number, letters, the text run on after the period; a heading alone on its line
// may lack the period; a line merely starting with "Art. N" is text.
TEST(ActText, ArticleHeadings) {
  const struct {
    const char* line;
    int article;
    const char* heading;
  } cases[] = {
      {"Art. 12a. Tekst.", 12, "Art. 12a."}, {"    Art.  40  ", 40, "Art.  40"},   {"Art. 7", 7, "Art. 7"},
      {"Art. 127 \xC2\xA7 3 stosuje si\xC4\x99.", 0, ""}, {"Art. 61{1}. Tekst.", 0, ""},
  };
  for (const auto& c : cases) {
    const ActParseResult r = ParseAct(std::string("Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\no czym\xC5\x9B\n\n") + c.line + "\n"
                                      "Ust\xC4\x99p.\n", "x.txt");
    ASSERT_TRUE(r.ok) << r.message;
    const std::vector<ActBlock>& blocks = r.act.sections[0].blocks;
    ASSERT_FALSE(blocks.empty()) << c.line;
    EXPECT_EQ(blocks[0].kind == BlockKind::kArticle ? blocks[0].article : 0, c.article) << c.line;
    if (c.article) EXPECT_EQ(blocks[0].text, c.heading) << c.line;
  }
}

TEST(ActText, DivisionHeadings) {
  const ActParseResult r = ParseAct(
      "Dz.U. z 1997 r. Nr 1, poz. 2\nUSTAWA\no czymś\n\nCZĘŚĆ OGÓLNA\n\nTYTUŁ I\nZasady\nArt. 1. Tekst.\n"
      "Rozdział 2a\nArt. 2.\nRozdział nowy porządek\n",
      "x.txt");
  ASSERT_TRUE(r.ok) << r.message;
  std::string outline;
  for (const ActSection& s : r.act.sections) outline += std::to_string(s.level) + ":" + s.label + "/" + s.name + ";";
  // A lower-case heading word needs a number: "Rozdział nowy porządek" is text of chapter 2a.
  EXPECT_EQ(outline, Cp("7:/;6:CZĘŚĆ OGÓLNA/;4:TYTUŁ I/Zasady;2:Rozdział 2a/;"));
  EXPECT_EQ(r.act.sections.back().blocks.back().text, Cp("Rozdział nowy porządek"));
}

TEST(ActText, NoteBeforeTheKindIsKeptAndTheKindUpperCased) {
  const ActParseResult r = ParseAct("Dz.U. z 1997 r. nr 59 poz. 375.\n  Wpłynął wniosek o ponowne rozpatrzenie (veto)\n"
                                    "    Ustawa\n  z dnia  26 lipca  1997 r.\n o czymś\n\nArt. 1. Tekst.\n",
                                    "x.txt");
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.act.number, 59);
  EXPECT_EQ(r.act.position, 375);
  EXPECT_EQ(r.act.kind, "USTAWA");
  EXPECT_EQ(r.act.day, 26);
  EXPECT_EQ(r.act.month, 7);
  ASSERT_FALSE(r.act.sections[0].blocks.empty());
  EXPECT_EQ(r.act.sections[0].blocks[0].text, Cp("Wpłynął wniosek o ponowne rozpatrzenie (veto)"));
}

TEST(ActText, FileNameGivesTheAddressWithIssueZero) {
  const ActParseResult r = ReadAct(Source("samples/acts/1999_302.txt"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(r.act.year, 1999);
  EXPECT_EQ(r.act.position, 302);
  EXPECT_EQ(r.act.number, 0);
}

TEST(ActText, ReplacementOfCharactersOutsideTheCodePage) {
  std::string out;
  ASSERT_TRUE(Utf8ToCp1250("a\xE2\x88\x92" "b \xE2\x80\x9E" "c\xE2\x80\x9D \xE4\xB8\xAD \xC5\x82", out));
  EXPECT_EQ(out, "a-b \x84" "c\x94 ? \xB3");
  EXPECT_FALSE(Utf8ToCp1250("\xC3(", out));
  EXPECT_FALSE(Utf8ToCp1250(std::string("a\0b", 3), out));
}

TEST(ActText, MalformedFilesAreRefusedWithTheirName) {
  const struct {
    std::string text;
    const char* why;
  } cases[] = {
      {"", "empty"},
      {std::string("\x89PNG\r\n\x1A\n\0\0", 10), "UTF-8"},
      {"Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\nz dnia 2 lutego 1999 r.\n\n", "title"},
      {"Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\n\nArt. 1. Tekst.\n", "title"},
      {"Dz.U. z 1999 r. Nr 5, poz. 7\nUSTAWA\nz dnia 1 maja 1999 r.\no czymś\n" + std::string(70000, 'x'), "64 KB"},
      {"Brak tekstu w postaci elektronicznej\n", "no text"},
      {"Dz.U. z 1999 r. Nr 5, poz. 7\nTekst w opracowaniu.\nZob. obwieszczenie, poz. 8.\n", "kind"},
  };
  for (const auto& c : cases) {
    const ActParseResult r = c.text.empty() ? ReadAct("/nonexistent/1999_1.txt") : ParseAct(c.text, "1999_1.txt");
    EXPECT_FALSE(r.ok) << c.why;
    EXPECT_NE(r.message.find("1999_1.txt"), std::string::npos) << r.message;
    if (!c.text.empty()) {
      EXPECT_NE(r.message.find(c.why), std::string::npos) << r.message;
    }
  }
  EXPECT_FALSE(ParseAct("USTAWA\no czymś\n", "notes.txt").ok);
}

// Later sample acts with the shapes real journal texts take: letter-spaced, lower-case and issuer
// kinds, notes before the kind, dates with odd blanks or over several lines, titles that run into
// the body or go on with a dash line, division names over two lines, decomposed letters.
TEST(ActText, SampleKindsTitlesDatesAndHeadings) {
  const struct {
    const char* file;
    const char* kind;
    int day, month, year, position;
    const char* title;
    const char* headings;
  } cases[] = {
      {"2000_15.txt", "USTAWA", 3, 3, 2000, 15, "o zmianie ustawy o targach i jarmarkach - przepisy o jarmarkach sezonowych",
       ""},
      {"2001_2786.txt", "USTAWA", 15, 6, 2001, 2786, "o wspólnej obsłudze gminnych czytelni",
       "Rozdział 1/Przepisy ogólne;Rozdział 4/Zmiany w przepisach obowiązujących;Załącznik nr 1/WYKAZ GODZIN OTWARCIA;"},
      {"2004_104.txt", "ROZPORZĄDZENIE RADY MINISTRÓW", 7, 5, 2004, 104,
       "w sprawie wzoru karty czytelnika bibliotek gminnych", ""},
  };
  for (const auto& c : cases) {
    const ActParseResult r = ReadAct(Source(std::string("samples/acts/") + c.file));
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.act.kind, Cp(c.kind)) << c.file;
    EXPECT_EQ(std::make_tuple(r.act.day, r.act.month, r.act.date_year), std::make_tuple(c.day, c.month, c.year)) << c.file;
    EXPECT_EQ(r.act.year, c.year) << c.file;
    EXPECT_EQ(r.act.position, c.position) << c.file;
    EXPECT_EQ(r.act.title, Cp(c.title)) << c.file;
    std::string headings;
    for (size_t s = 1; s < r.act.sections.size(); ++s) headings += r.act.sections[s].label + "/" + r.act.sections[s].name + ";";
    EXPECT_EQ(headings, Cp(c.headings)) << c.file;
  }
  // The note stays the act's first text; the decomposed "wspólną" is stored composed.
  const ActParseResult notes = ReadAct(Source("samples/acts/2001_2786.txt"));
  ASSERT_TRUE(notes.ok);
  EXPECT_EQ(notes.act.sections[0].blocks.at(0).text, Cp("Tekst ustawy przyjęty przez Senat bez poprawek"));
  EXPECT_NE(notes.act.sections[2].blocks.at(1).text.find(Cp("wspólną")), std::string::npos);
  // The title ends where the preamble starts; the preamble is body text.
  const ActParseResult preamble = ReadAct(Source("samples/acts/2004_104.txt"));
  ASSERT_TRUE(preamble.ok);
  EXPECT_EQ(preamble.act.sections[0].blocks.at(0).text.substr(0, 12), "Na podstawie");
}

TEST(ActText, KindAndDateLines) {
  const struct {
    const char* text;
    const char* kind;
    int day;
    const char* title;
  } cases[] = {
      {"TEKST USTAWY ustalony ostatecznie po rozpatrzeniu poprawek Senatu\nUSTAWA\nz dnia 4 maja 2001 r.\no a\n", "USTAWA", 4, "o a"},
      {"Wpłynął wniosek\nu s t a w a\nz dnia 4 maja 2001 r.\no a\n", "USTAWA", 4, "o a"},
      {"USTAWA z dnia 4 maja 2001 r.\no a\n", "USTAWA", 4, "o a"},
      {"Ustawa\nZ DNIA 4 MAJA 2001 R.\no a\n", "USTAWA", 4, "o a"},
      {"USTAWA\nz dnia 4 maja\n\n2001 r.\no a\n", "USTAWA", 4, "o a"},
      {"OBWIESZCZENIE MINISTRA PRACY I POLITYKI SOCJALNEJ\nz dnia 4 maja 2001 r.\no a\n",
       "OBWIESZCZENIE MINISTRA PRACY I POLITYKI SOCJALNEJ", 4, "o a"},
      {"DZIAŁ I\nUSTAWA\nz dnia 4 maja 2001 r.\no a\n", "USTAWA", 4, "o a"},
      {"USTAWA\no a\nArt. 1. Tekst.\n", "USTAWA", 0, "o a"},
  };
  for (const auto& c : cases) {
    const ActParseResult r = ParseAct(std::string("Dz.U. z 2001 r. Nr 1, poz. 1\n") + c.text, "x.txt");
    ASSERT_TRUE(r.ok) << c.text << r.message;
    EXPECT_EQ(r.act.kind, Cp(c.kind)) << c.text;
    EXPECT_EQ(r.act.day, c.day) << c.text;
    EXPECT_EQ(r.act.title, Cp(c.title)) << c.text;
  }
}

TEST(ActText, ReferencesInText) {
  const auto refs = FindReferences("zob. Dz.U. z 1983 r. Nr 13, poz. 68 oraz Dz. U. z 1998 r. Nr 12, poz. 34.");
  ASSERT_EQ(refs.size(), 2u);
  EXPECT_EQ(refs[0].year, 1983);
  EXPECT_EQ(refs[0].number, 13);
  EXPECT_EQ(refs[0].position, 68);
  EXPECT_EQ(refs[0].offset, 5u);
  EXPECT_EQ(refs[1].position, 34);
}

// Every act of the shared corpus parses, except files that carry no act text at all.
TEST(ActText, SharedCorpus) {
  const char* shared = std::getenv("LUMO_SHARED_DIR");
  const std::filesystem::path dir = std::filesystem::path(shared ? shared : "") / "corpus/dzu";
  if (!shared || !std::filesystem::is_directory(dir)) GTEST_SKIP() << "no shared corpus";
  int parsed = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const ActParseResult r = ReadAct(entry.path().string());
    if (!r.ok) {
      ++refused;
      std::printf("%s\n", r.message.c_str());
      continue;
    }
    ++parsed;
    EXPECT_TRUE(r.act.kind.starts_with("USTAWA")) << r.act.file_name;
    EXPECT_GE(r.act.title.size(), 8u) << r.act.file_name << ": " << r.act.title;
    EXPECT_FALSE(base::cp1250::is_digit(uint8_t(r.act.title.front()))) << r.act.file_name << ": " << r.act.title;
    if (!r.act.date_line.empty()) {
      EXPECT_GT(r.act.day, 0) << r.act.file_name << ": " << r.act.date_line;
    }
    EXPECT_GT(r.act.sections.size(), 0u);
  }
  EXPECT_GT(parsed, 600);
  EXPECT_LE(refused, 1);  // the one file that holds no text of its act
}

}  // namespace
