#include "platform/base/profile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <string>
#include <thread>

#include "platform/base/config_folder.h"
#include "platform/base/ini_document.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

using base::IniDocument;
using base::OsError;
using base::Profile;

namespace {

std::string read_text(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (base::read_file(path, bytes) != OsError::None) return "<unreadable>";
  return std::string(bytes.begin(), bytes.end());
}

void write_text(const std::string& path, std::string_view text) {
  ASSERT_EQ(base::write_file_atomic(
                path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())),
            OsError::None);
}

// A fresh profile path in the process's temporary folder.
class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static int counter = 0;
    folder_ = base::temp_folder() + "/profile" + std::to_string(++counter);
    ASSERT_EQ(base::make_folders(folder_), OsError::None);
    path_ = folder_ + "/LumoKAL.ini";
  }
  std::string folder_;
  std::string path_;
};

}  // namespace

TEST(IniDocument, ReadsEntriesAroundCommentsBlanksAndQuotes) {
  IniDocument d = IniDocument::parse(
      "stray=before any section\r\n"
      "; comment\r\n"
      "[Main]\r\n"
      "  DataDir = C:\\Dane\\  \r\n"
      "Quoted=\"  padded  \"\r\n"
      "Empty=\r\n"
      "Eq=a=b\r\n"
      "[ Second ]\n"
      "key=v\n"
      "[main]\n"
      "DataDir=shadowed\n");
  struct Case {
    const char* section;
    const char* key;
    const char* want;  // null: not found
  };
  const Case cases[] = {
      {"Main", "DataDir", "C:\\Dane\\"}, {"MAIN", "datadir", "C:\\Dane\\"},
      {"Main", "Quoted", "  padded  "},  {"Main", "Empty", ""},
      {"Main", "Eq", "a=b"},             {"Second", "KEY", "v"},
      {"Main", "key", nullptr},          {"", "stray", nullptr},
      {"Nope", "DataDir", nullptr},
  };
  for (const Case& c : cases) {
    const std::string* v = d.find(c.section, c.key);
    if (!c.want) {
      EXPECT_EQ(v, nullptr) << c.section << "/" << c.key;
    } else {
      ASSERT_NE(v, nullptr) << c.section << "/" << c.key;
      EXPECT_EQ(*v, c.want);
    }
  }
}

TEST(IniDocument, ValuesRoundTripByteForByte) {
  const std::string values[] = {
      "", " ", "  lead", "trail\t", "\"quoted\"", "\"", "\"half", "a \"mid\" b", "x=y;z",
      "[not a section]", "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9", std::string("\x81\x98\xFF\x01", 4),
  };
  IniDocument d;
  for (size_t i = 0; i < std::size(values); ++i)
    ASSERT_TRUE(d.set("S", "k" + std::to_string(i), values[i]));
  IniDocument back = IniDocument::parse(d.serialize());
  for (size_t i = 0; i < std::size(values); ++i) {
    const std::string* v = back.find("s", "K" + std::to_string(i));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(*v, values[i]) << i;
  }
}

TEST(IniDocument, RefusesNamesAndValuesThatWouldBreakTheFile) {
  IniDocument d;
  EXPECT_FALSE(d.set("S", "k", "two\nlines"));
  EXPECT_FALSE(d.set("S", "k", "cr\r"));
  EXPECT_FALSE(d.set("S", "k", std::string_view("nul\0", 4)));
  EXPECT_FALSE(d.set("S", "a=b", "v"));
  EXPECT_FALSE(d.set("S", " ", "v"));
  EXPECT_FALSE(d.set("S", "[k", "v"));
  EXPECT_FALSE(d.set("S", ";k", "v"));
  EXPECT_FALSE(d.set("S]", "k", "v"));
  EXPECT_FALSE(d.set("", "k", "v"));
  EXPECT_EQ(d.serialize(), "");
}

TEST(IniDocument, EditsKeepOtherLinesAndOrder) {
  const std::string text =
      "; settings\n"
      "[A]\n"
      "one = 1 ; not a comment\n"
      "junk line\n"
      "two=2\n"
      "\n"
      "; about B\n"
      "[B]\n"
      "x=1\n";
  IniDocument d = IniDocument::parse(text);
  EXPECT_EQ(d.serialize(), text);  // untouched text comes back as it was
  ASSERT_TRUE(d.set("a", "TWO", "22"));
  ASSERT_TRUE(d.set("A", "three", "3"));
  ASSERT_TRUE(d.set("C", "new", "n"));
  EXPECT_TRUE(d.remove_key("B", "x"));
  EXPECT_FALSE(d.remove_key("B", "x"));
  EXPECT_EQ(d.serialize(),
            "; settings\n"
            "[A]\n"
            "one = 1 ; not a comment\n"
            "junk line\n"
            "two=22\n"
            "three=3\n"
            "\n"
            "; about B\n"
            "[B]\n"
            "\n"
            "[C]\n"
            "new=n\n");
  EXPECT_TRUE(d.remove_section("b"));
  EXPECT_FALSE(d.remove_section("b"));
  EXPECT_EQ(d.find("A", "one") ? *d.find("A", "one") : "", "1 ; not a comment");
}

TEST(IniDocument, DeletingASectionRemovesEveryCopyOfIt) {
  IniDocument d = IniDocument::parse("[S]\na=1\n[T]\nb=2\n[s]\na=3\n");
  EXPECT_TRUE(d.remove_section("S"));
  EXPECT_EQ(d.find("S", "a"), nullptr);  // the second copy does not come to light
  EXPECT_EQ(d.serialize(), "[T]\nb=2\n");
}

TEST(IniDocument, MalformedTextNeverFails) {
  std::string garbage;
  for (int i = 0; i < 5000; ++i) garbage += char((i * 7919) % 256);
  const std::string cases[] = {
      garbage,
      "[unclosed\nkey=v\n",
      "[S]\nkey=v",  // no final line break
      "[S]\n" + std::string(1 << 20, 'k') + "=" + std::string(1 << 20, 'v') + "\n",
      std::string("[S]\nk=\0v\n", 9),
      "\r\n\r\r\n[",
  };
  for (const std::string& text : cases) {
    IniDocument d = IniDocument::parse(text);
    // Serialising and reading again changes nothing more.
    std::string once = d.serialize();
    EXPECT_EQ(IniDocument::parse(once).serialize(), once);
  }
  EXPECT_EQ(*IniDocument::parse("[S]\nkey=v").find("S", "key"), "v");
  EXPECT_EQ(IniDocument::parse("[unclosed\nkey=v\n").find("unclosed", "key"), nullptr);
  EXPECT_EQ(IniDocument::parse(cases[3]).find("S", std::string(1 << 20, 'K'))->size(), 1u << 20);
}

TEST_F(ProfileTest, ValuesSurviveReopening) {
  {
    Profile p(path_);
    EXPECT_TRUE(p.WriteProfileInt("Main", "Negative", -42));
    EXPECT_TRUE(p.WriteProfileInt("Main", "Max", INT_MAX));
    EXPECT_TRUE(p.WriteProfileInt("Main", "Min", INT_MIN));
    EXPECT_TRUE(p.WriteProfileString("Main", "DataDir", "/media/cdrom/"));
    EXPECT_TRUE(p.WriteProfileString("Tip", "TimeStamp", " Thu Dec 10 12:00:00 2026 "));
    const uint8_t bytes[] = {0x00, 0x01, 0x7F, 0x80, 0xAB, 0xFF};
    EXPECT_TRUE(p.WriteProfileBinary("Bar", "Buttons", bytes, sizeof bytes));
    EXPECT_TRUE(p.WriteProfileBinary("Bar", "None", nullptr, 0));
  }
  Profile p(path_);
  EXPECT_EQ(p.load_error(), OsError::None);
  EXPECT_EQ(p.GetProfileInt("main", "NEGATIVE", 7), -42);
  EXPECT_EQ(p.GetProfileInt("Main", "Max", 7), INT_MAX);
  EXPECT_EQ(p.GetProfileInt("Main", "Min", 7), INT_MIN);
  EXPECT_EQ(p.GetProfileInt("Main", "Missing", 7), 7);
  EXPECT_EQ(p.GetProfileInt("Main", "DataDir", 7), 0);  // not a number
  EXPECT_EQ(p.GetProfileString("Main", "DataDir"), "/media/cdrom/");
  EXPECT_EQ(p.GetProfileString("Tip", "TimeStamp"), " Thu Dec 10 12:00:00 2026 ");
  EXPECT_EQ(p.GetProfileString("Main", "Missing", "def"), "def");
  EXPECT_EQ(p.GetProfileString("Main", "Missing"), "");
  std::vector<uint8_t> data;
  ASSERT_TRUE(p.GetProfileBinary("BAR", "buttons", data));
  EXPECT_EQ(data, (std::vector<uint8_t>{0x00, 0x01, 0x7F, 0x80, 0xAB, 0xFF}));
  EXPECT_TRUE(p.GetProfileBinary("Bar", "None", data));
  EXPECT_TRUE(data.empty());
  EXPECT_FALSE(p.GetProfileBinary("Bar", "Missing", data));
  // Two letters per byte, low nibble first.
  EXPECT_NE(read_text(path_).find("\nButtons=AABAPHAILKPP\n"), std::string::npos);
}

TEST(Profile, IntegersParseLikeTheFrameworkButKeepTheirSign) {
  const std::pair<const char*, int> cases[] = {
      {"12", 12},          {"  -7", -7},        {"+5", 5},           {"3abc", 3},
      {"abc", 0},          {"", 0},             {"-", 0},            {"2147483647", INT_MAX},
      {"2147483648", INT_MAX}, {"-2147483648", INT_MIN}, {"-99999999999999999999", INT_MIN},
      {"0x10", 0},
  };
  for (const auto& [text, want] : cases) EXPECT_EQ(base::parse_profile_int(text), want) << text;
}

TEST_F(ProfileTest, NullKeyDeletesTheSectionAndNullValueTheKey) {
  Profile p(path_);
  p.WriteProfileString("LumoKAL-Bar0", "BarID", "59392");
  p.WriteProfileString("LumoKAL-Bar0", "Visible", "1");
  p.WriteProfileString("Other", "Keep", "1");
  EXPECT_TRUE(p.WriteProfileString("LumoKAL-Bar0", "Visible", nullptr));
  EXPECT_EQ(p.GetProfileString("LumoKAL-Bar0", "Visible", "gone"), "gone");
  EXPECT_EQ(p.GetProfileInt("LumoKAL-Bar0", "BarID", 0), 59392);
  EXPECT_TRUE(p.WriteProfileString("lumokal-bar0", nullptr, nullptr));
  EXPECT_TRUE(p.WriteProfileString("Missing", nullptr, nullptr));
  EXPECT_EQ(read_text(path_), "[Other]\nKeep=1\n");
}

TEST_F(ProfileTest, RefusedWritesChangeNothing) {
  Profile p(path_);
  p.WriteProfileString("S", "k", "old");
  EXPECT_FALSE(p.WriteProfileString("S", "k", "new\n[Injected]\nx=1"));
  EXPECT_FALSE(p.WriteProfileString(nullptr, "k", "v"));
  EXPECT_FALSE(p.WriteProfileBinary("S", nullptr, "x", 1));
  EXPECT_EQ(read_text(path_), "[S]\nk=old\n");
}

TEST_F(ProfileTest, GarbledBinaryValuesAreRejected) {
  write_text(path_, "[B]\nodd=ABC\nletters=AZ\nlower=ab\ngood=BA\n");
  Profile p(path_);
  std::vector<uint8_t> data{1, 2, 3};
  for (const char* key : {"odd", "letters", "lower"}) {
    EXPECT_FALSE(p.GetProfileBinary("B", key, data)) << key;
    EXPECT_TRUE(data.empty());
  }
  ASSERT_TRUE(p.GetProfileBinary("B", "good", data));
  EXPECT_EQ(data, std::vector<uint8_t>{1});
}

TEST_F(ProfileTest, TruncatedAndGarbageFilesReadWhatIsLeft) {
  const std::string full = "[Main]\nDataDir=/cd/\nRecent=3\n[Tip]\nFilePos=120\n";
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    write_text(path_, full.substr(0, cut));
    Profile p(path_);
    // Each value reads whole or not at all; a cut number reads as its leading digits.
    CString dir = p.GetProfileString("Main", "DataDir", "-");
    EXPECT_TRUE(dir == "-" || CString("/cd/").Left(dir.GetLength()) == dir) << cut;
    int pos = p.GetProfileInt("Tip", "FilePos", -1);
    EXPECT_TRUE(pos == -1 || pos == 0 || pos == 1 || pos == 12 || pos == 120) << cut;
    EXPECT_TRUE(p.WriteProfileInt("Tip", "FilePos", 5));
  }
  std::string garbage(100000, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = char((i * 2654435761u) >> 24);
  write_text(path_, garbage);
  Profile p(path_);
  EXPECT_EQ(p.GetProfileInt("Main", "X", 9), 9);
  EXPECT_TRUE(p.WriteProfileInt("Main", "X", 1));
  EXPECT_EQ(Profile(path_).GetProfileInt("Main", "X", 9), 1);
}

TEST_F(ProfileTest, AFileThatCannotBeReadIsNeverOverwritten) {
  // Larger than the reader accepts.
  std::string big = "[S]\nk=" + std::string(Profile::kMaxFileSize, 'v') + "\n";
  write_text(path_, big);
  Profile p(path_);
  EXPECT_NE(p.load_error(), OsError::None);
  EXPECT_EQ(p.GetProfileString("S", "k", "d"), "d");
  EXPECT_FALSE(p.WriteProfileString("S", "k", "small"));
  EXPECT_EQ(read_text(path_).size(), big.size());
}

TEST_F(ProfileTest, DeferredSavesWriteOnceAtTheEnd) {
  Profile p(path_);
  {
    Profile::DeferSaves defer(p);
    for (int i = 0; i < 50; ++i)
      p.WriteProfileInt("LumoKAL-Bar1", ("Bar#" + std::to_string(i)).c_str(), i);
    EXPECT_FALSE(base::file_exists(path_));
  }
  EXPECT_EQ(Profile(path_).GetProfileInt("LumoKAL-Bar1", "Bar#49", 0), 49);
}

TEST_F(ProfileTest, MissingFoldersAreCreatedOnSave) {
  std::string nested = folder_ + "/a/b/LumoKAL.ini";
  Profile p(nested);
  EXPECT_TRUE(p.WriteProfileString("S", "k", "v"));
  EXPECT_EQ(read_text(nested), "[S]\nk=v\n");
}

TEST_F(ProfileTest, ProfileLivesInTheConfigFolder) {
  base::set_config_folder(folder_ + "/cfg/");
  EXPECT_EQ(Profile::path_for("LumoKAL"), folder_ + "/cfg/LumoKAL.ini");
  base::set_config_folder("");
  const char* saved = std::getenv("XDG_CONFIG_HOME");
  std::string keep = saved ? saved : "";
  setenv("XDG_CONFIG_HOME", "/x/conf", 1);
  EXPECT_EQ(Profile::path_for("LumoKAL"), "/x/conf/LumoKAL/LumoKAL.ini");
  setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
  EXPECT_NE(Profile::path_for("LumoKAL"), "relative/LumoKAL/LumoKAL.ini");
  if (saved) {
    setenv("XDG_CONFIG_HOME", keep.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

TEST_F(ProfileTest, TheProgramProfileIsOneObjectPerProcess) {
  Profile::set_app_path(path_);
  EXPECT_EQ(&Profile::app(), &Profile::app());
  EXPECT_TRUE(Profile::app().WriteProfileString("Main", "DataDir", "/cd/"));
  Profile::set_app_path(folder_ + "/other.ini");
  EXPECT_EQ(Profile::app().GetProfileString("Main", "DataDir", "none"), "none");
  Profile::set_app_path(path_);
  EXPECT_EQ(Profile::app().GetProfileString("Main", "DataDir"), "/cd/");
}

// A writer killed at any moment leaves the old profile or the new one, never a mix.
TEST_F(ProfileTest, KilledWriterLeavesOldOrNewFile) {
  const std::string a(200000, 'a'), b(200000, 'b');
  {
    Profile p(path_);
    ASSERT_TRUE(p.WriteProfileString("S", "k", a.c_str()));
  }
  const std::string file_a = read_text(path_);
  const std::string file_b = "[S]\nk=" + b + "\n";
  for (int round = 0; round < 20; ++round) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Profile p(path_);
      for (int i = 0;; ++i) p.WriteProfileString("S", "k", (i % 2 ? a : b).c_str());
    }
    // Kill times spread over the write, the sync and the rename of different saves.
    std::this_thread::sleep_for(std::chrono::milliseconds(2 + round * 37 % 40));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    std::string now = read_text(path_);
    ASSERT_TRUE(now == file_a || now == file_b) << "round " << round << ": " << now.size();
  }
}
