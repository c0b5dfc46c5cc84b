#include <gtest/gtest.h>

#include "pictures/media/media_text.h"

namespace media {
namespace {

// A keyword table as a module that holds the strings would give it.
MediaWords FullWords() {
  MediaWords w;
  const char* keywords[kKeywordCount] = {"empty", "device", "standard", "buttons", "menu",   "trackbar", "scan",
                                         "range", "tracks", "marks",    "size",    "expect", "autoplay", "repeat",
                                         "noframe", "locked", "sound",  "label",   "marksfile", "group", "name"};
  for (int i = 0; i < kKeywordCount; ++i) w.keywords[i] = keywords[i];
  const char* buttons[13] = {"eject", "frmad", "frmba", "pause", "plyps", "play", "rec",
                             "scanl", "scanr", "slomo", "prev",  "next",  "stop"};
  for (int i = 0; i < 13; ++i) w.buttons[i] = buttons[i];
  return w;
}

TEST(MediaWords, QuotesDashesAndNumbers) {
  MediaWordReader reader(" \"a b\" 'it\\'s' `x` -z /w  plain\t");
  std::string word;
  std::vector<std::string> words;
  while (reader.next(word)) words.push_back(word);
  EXPECT_EQ(words, (std::vector<std::string>{"a b", "it's", "x", "-z", "-w", "plain"}));

  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {{"12", true, 12}, {"-7", true, -7}, {"3x", true, 3}, {"x3", false, 0}, {"-", false, 0},
               {"99999999999", true, INT32_MAX}};
  for (const Case& c : cases) {
    int32_t v = 0;
    EXPECT_EQ(MediaParseNumber(c.text, v), c.ok) << c.text;
    if (c.ok) EXPECT_EQ(v, c.value) << c.text;
  }
  uint16_t track = 9;
  int32_t offset = 0;
  ASSERT_TRUE(MediaParseTrackPosition("3:1500", track, offset));
  EXPECT_EQ(track, 3);
  EXPECT_EQ(offset, 1500);
  ASSERT_TRUE(MediaParseTrackPosition("700", track, offset));
  EXPECT_EQ(track, 0);
  EXPECT_FALSE(MediaParseTrackPosition("0:5", track, offset));
}

TEST(MediaWords, Marks) {
  std::vector<MarkSpec> marks;
  ASSERT_TRUE(MediaParseMarks("$Wstęp 0 #  2:300 $#Żółw 5000 $ 7000", marks));
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_TRUE(marks[0].stop && !marks[0].section);
  EXPECT_EQ(marks[0].name, "Wstęp");
  EXPECT_TRUE(marks[1].section && marks[1].name.empty());
  EXPECT_EQ(marks[1].track, 2);
  EXPECT_EQ(marks[1].offset, 300);
  EXPECT_TRUE(marks[2].stop && marks[2].section);
  EXPECT_EQ(marks[2].name, "Żółw");
  EXPECT_TRUE(marks[3].stop && marks[3].name.empty());
  marks.clear();
  EXPECT_FALSE(MediaParseMarks("$alone", marks));
}

TEST(MediaText, ThisProgramsEmptyKeywordsRefuseEveryOption) {
  const MediaWords none;
  struct Case {
    const char* text;
    uint32_t error;
    const char* name;
  } cases[] = {
      {"dzwiek.wav", 0, "dzwiek.wav"},
      {"[; komentarz] dzwiek.wav", 0, "dzwiek.wav"},
      {"[play] dzwiek.wav", kErrUnknownOption, ""},
      {"[] dzwiek.wav", kErrUnknownOption, ""},
      {"", kErrBadText, ""},
      {"[;tylko komentarz]", kErrBadText, ""},
  };
  for (const Case& c : cases) {
    MediaOptions options;
    const MediaTextResult r = MediaParseWindowText(c.text, none, options);
    EXPECT_EQ(r.error, c.error) << c.text;
    if (!c.error) EXPECT_EQ(options.name, c.name) << c.text;
  }
  MediaOptions options;
  EXPECT_EQ(MediaParseWindowText(std::string(512, 'a'), none, options).error, 0u);
  EXPECT_EQ(MediaParseWindowText(std::string(513, 'a'), none, options).error, kErrBadText);
}

TEST(MediaText, OptionsWithAFullKeywordTable) {
  const MediaWords words = FullWords();
  MediaOptions o;
  const MediaTextResult r = MediaParseWindowText(
      "[name Pierwszy] [buttons play pause stop menu] [trackbar] [scan 250] [range 2:100 3:0] "
      "[marks $Start 0 #Dalej 4000] [size 320 240] [repeat] [label \\pl Łódź\\lPoznań] [group a b c d e] "
      "\"ignored\" film.avi",
      words, o);
  ASSERT_EQ(r.error, 0u) << r.errorText;
  EXPECT_EQ(o.instanceName, "Pierwszy");
  EXPECT_EQ(o.buttons, (1u << 6) | (1u << 4) | (1u << 13));
  EXPECT_TRUE(o.menu && o.trackBar && o.repeat);
  EXPECT_EQ(o.scanStep, 250);
  EXPECT_EQ(o.firstTrack, 2);
  EXPECT_EQ(o.firstOffset, 100);
  EXPECT_EQ(o.lastTrack, 3);
  EXPECT_EQ(o.marks.size(), 2u);
  EXPECT_EQ(o.videoWidth, 320);
  EXPECT_EQ(o.labelAlign, kLabelLeft);
  EXPECT_EQ(o.label, "Łódź\nPoznań");
  EXPECT_EQ(o.groups.size(), 4u);
  EXPECT_EQ(o.name, "\"ignored\" film.avi");

  struct Case {
    const char* text;
    uint32_t error;
  } cases[] = {
      {"[scan] a.wav", kErrMissingArgument},   {"[scan 0] a.wav", kErrOutOfRange},
      {"[size 10] a.wav", kErrMissingArgument}, {"[size -1 5] a.wav", kErrOutOfRange},
      {"[tracks 3 2] a", kErrOutOfRange},       {"[label \\px tekst] a", kErrBadText},
      {"[buttons fly] a", kErrUnknownOption},   {"[device cdaudio]", 0},
      {"[empty]", 0},                           {"[trackbar]", kErrBadText},
  };
  for (const Case& c : cases) {
    MediaOptions options;
    EXPECT_EQ(MediaParseWindowText(c.text, words, options).error, c.error) << c.text;
  }
}

TEST(MediaNames, TitleNamesStayInTheTitlesFolder) {
  struct Case {
    const char* name;
    const char* title;
    uint32_t error;
    const char* path;
    bool compound;
  } cases[] = {
      {"dzwiek.wav", "/dane/tytul/du.m14", 0, "/dane/tytul/dzwiek.wav", false},
      {"media\\film.avi", "/dane/tytul/du.m14", 0, "/dane/tytul/media/film.avi", false},
      {"!dzwiek.wav", "/dane/tytul/du.m14", 0, "/dane/tytul/du.m14+dzwiek.wav", true},
      {"C:\\WINDOWS\\tada.wav", "/dane/tytul/du.m14", kErrBadText, "", false},
      {"\\\\serwer\\dzwiek.wav", "/dane/tytul/du.m14", kErrBadText, "", false},
      {"/etc/passwd", "/dane/tytul/du.m14", kErrBadText, "", false},
      {"..\\..\\etc\\passwd", "/dane/tytul/du.m14", kErrBadText, "", false},
      {"a/../../b.wav", "/dane/tytul/du.m14", kErrBadText, "", false},
      {"/home/ja/dzwiek.wav", "", 0, "/home/ja/dzwiek.wav", false},
  };
  for (const Case& c : cases) {
    const MediaNameResult r = MediaResolveName(c.name, c.title);
    EXPECT_EQ(r.error, c.error) << c.name;
    if (!c.error) {
      EXPECT_EQ(r.path, c.path) << c.name;
      EXPECT_EQ(r.compound, c.compound) << c.name;
    }
  }
  EXPECT_EQ(MediaTitleFolder("C:\\t\\a.m14"), "C:\\t\\");
  EXPECT_EQ(MediaTitleFolder("a.m14"), "");
}

}  // namespace
}  // namespace media
