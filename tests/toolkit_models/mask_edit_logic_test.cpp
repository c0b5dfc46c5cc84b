#include "toolkit/widgets/mask_edit_logic.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/base/cp1250.h"

namespace {

using Logic = SECMaskEditLogic;

// Runs a key sequence: plain characters are typed; {bs} {del} {home} {end} {left} {right} {ins}
// {up} are keys, {sel a b} selects [a, b). Returns the number of beeps.
int run(Logic& m, Logic::Selection& sel, const std::string& keys) {
  int beeps = 0;
  for (size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] != '{') {
      if (m.OnChar(keys[i], false, sel) == Logic::CharResult::beep) ++beeps;
      continue;
    }
    const size_t close = keys.find('}', i);
    const std::string token = keys.substr(i + 1, close - i - 1);
    i = close;
    if (token.rfind("sel ", 0) == 0) {
      int a = 0, b = 0;
      std::sscanf(token.c_str(), "sel %d %d", &a, &b);
      sel = {a, b};
      continue;
    }
    static const std::pair<const char*, Logic::Key> names[] = {
        {"bs", Logic::Key::backspace}, {"del", Logic::Key::del},    {"home", Logic::Key::home},
        {"end", Logic::Key::end},      {"left", Logic::Key::left},  {"right", Logic::Key::right},
        {"ins", Logic::Key::insert},   {"up", Logic::Key::up},
    };
    for (const auto& [name, key] : names) {
      if (token == name) {
        bool changed = false;
        m.OnKey(key, false, false, sel, changed);
      }
    }
  }
  return beeps;
}

struct KeyCase {
  const char* mask;
  const char* keys;
  const char* display;
  int caret;
  int beeps;
};

class MaskKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(MaskKeys, GiveTheDisplayCaretAndBeeps) {
  const KeyCase& c = GetParam();
  Logic m;
  m.SetPromptChar('_');
  m.SetMask(c.mask);
  Logic::Selection sel{m.FirstEditable(), m.FirstEditable()};
  const int beeps = run(m, sel, c.keys);
  EXPECT_EQ(m.GetDisplayText(), c.display) << c.keys;
  EXPECT_EQ(sel.end, c.caret) << c.keys;
  EXPECT_EQ(beeps, c.beeps) << c.keys;
}

INSTANTIATE_TEST_SUITE_P(
    Table, MaskKeys,
    ::testing::Values(
        // Four digits fill the field around the dash; a fifth beeps.
        KeyCase{"##-##", "1234", "12-34", 5, 0}, KeyCase{"##-##", "12345", "12-34", 5, 1},
        // A letter in a digit position beeps and changes nothing.
        KeyCase{"##-##", "a", "__-__", 0, 1},
        // Backspace over the dash deletes the digit before it; the rest moves left.
        KeyCase{"##-##", "123{left}{bs}", "13-__", 1, 0},
        KeyCase{"##-##", "12{bs}", "1_-__", 1, 0},
        KeyCase{"##-##", "{bs}", "__-__", 0, 0},
        // Delete takes the character at the caret; the following ones move left over the dash.
        KeyCase{"##-##", "1234{home}{del}", "23-4_", 0, 0},
        KeyCase{"##-##", "1234{sel 1 4}{del}", "14-__", 1, 0},
        // Home, End, Left and Right keep the caret on editable positions.
        KeyCase{"##-##", "12{home}", "12-__", 0, 0}, KeyCase{"##-##", "1{end}", "1_-__", 1, 0},
        KeyCase{"##-##", "12{home}{right}{right}", "12-__", 2, 0},
        KeyCase{"##-##", "123{left}{left}", "12-3_", 1, 0},
        KeyCase{"##-##", "1{right}{right}", "1_-__", 1, 0},
        // Overwrite (the start) writes over; insert moves the rest right.
        KeyCase{"##-##", "123{home}9", "92-3_", 1, 0}, KeyCase{"##-##", "123{home}{ins}9", "91-23", 1, 0},
        // In insert mode a full field takes nothing.
        KeyCase{"##-##", "1234{home}{ins}9", "12-34", 0, 1},
        // Typing over a selection replaces it.
        KeyCase{"##-##", "1234{sel 0 4}7", "74-__", 1, 0},
        // Letters: U makes upper case, L lower case, ? takes Polish letters, A letters and digits.
        KeyCase{"UUL", "abC", "ABc", 3, 0}, KeyCase{"???", "\xB9\xB3z", "\xB9\xB3z", 3, 0},
        KeyCase{"A&A", "1 b", "1 b", 3, 0}, KeyCase{"A#", "-", "__", 0, 1},
        // Up and Down do nothing.
        KeyCase{"##", "1{up}2", "12", 2, 0}));

TEST(MaskEditLogic, EscapedAndPolishLiteralsAreNotEditable) {
  Logic m;
  m.SetMask("\\#\xB9##\xB3");  // "#ą##ł"
  EXPECT_EQ(m.GetDisplayText(), "#\xB9  \xB3");
  for (int pos : {0, 1, 4}) EXPECT_TRUE(m.IsLiteral(pos)) << pos;
  for (int pos : {2, 3}) EXPECT_FALSE(m.IsLiteral(pos)) << pos;
  EXPECT_EQ(m.FirstEditable(), 2);
  // A literal with the high bit set (ą is 0xB9) takes no input.
  char ch = '5';
  EXPECT_FALSE(m.IsValidChar(1, ch));
  // Two backslashes give one literal backslash.
  m.SetMask("\\\\#");
  EXPECT_EQ(m.GetDisplayText(), "\\ ");
}

TEST(MaskEditLogic, GetDataTrimsAndPromptReplaces) {
  Logic m;
  m.SetMask("(###) ###");
  Logic::Selection sel{1, 1};
  run(m, sel, "12");
  EXPECT_EQ(m.GetData(false), "12    ");
  EXPECT_EQ(m.GetData(true), "12");
  m.SetPromptChar('*');
  EXPECT_EQ(m.GetDisplayText(), "(12*) ***");
  EXPECT_EQ(m.GetData(true), "12");
  EXPECT_FALSE(m.SetPromptChar(0));
  EXPECT_EQ(m.GetPromptChar(), '*');
}

TEST(MaskEditLogic, InsertStringSkipsRejectedAndAdvancesOnPrompts) {
  Logic m;
  m.SetMask("##-##");
  EXPECT_TRUE(m.InsertString("1x2 34", 0, false, true));
  EXPECT_EQ(m.GetDisplayText(), "12-34");
  EXPECT_TRUE(m.InsertString("1 34", 0, false, false));
  EXPECT_EQ(m.GetDisplayText(), "1 -34");
  EXPECT_FALSE(m.InsertString("1", 5, false, false));
  Logic empty;
  EXPECT_FALSE(empty.InsertString("1", 0, false, false));
}

TEST(MaskEditLogic, UndoSwapsWithThePreviousText) {
  Logic m;
  m.SetMask("###");
  EXPECT_FALSE(m.IsModified());
  Logic::Selection sel{0, 0};
  run(m, sel, "1");
  m.Shown();
  run(m, sel, "2");
  m.Shown();
  EXPECT_TRUE(m.IsModified());
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(m.GetDisplayText(), "1  ");
  EXPECT_TRUE(m.Undo());
  EXPECT_EQ(m.GetDisplayText(), "12 ");
  m.SaveState();
  EXPECT_TRUE(m.IsModified());
}

TEST(MaskEditLogic, CaretAfterClicksGoesToTheEndOfTheFilledText) {
  Logic m;
  m.SetMask("##-##");
  EXPECT_EQ(m.FindCaretPos(4), 0);
  Logic::Selection sel{0, 0};
  run(m, sel, "12");
  EXPECT_EQ(m.FindCaretPos(4), 2);
  EXPECT_EQ(m.FindCaretPos(1), 1);
  EXPECT_EQ(m.NextEditable(1), 3);
  EXPECT_EQ(m.NextEditable(4), -1);
  EXPECT_EQ(m.NextEditable(7), 7);
  EXPECT_EQ(m.PrevEditable(3), 1);
  EXPECT_EQ(m.PrevEditable(0), -1);
}

TEST(MaskEditLogic, ClipboardCarriesEditableCharactersOnly) {
  Logic m;
  m.SetMask("##-##");
  Logic::Selection sel{0, 0};
  run(m, sel, "123");
  EXPECT_EQ(m.CopyText({0, 5}), "123 ");
  Logic::Selection cut{1, 4};
  m.Cut(cut);
  EXPECT_EQ(m.GetDisplayText(), "1 -  ");
  EXPECT_EQ(cut.end, 1);
  // Pasting writes from the selection's start and keeps what lies before it.
  Logic::Selection at{1, 1};
  m.Paste("98", at);
  EXPECT_EQ(m.GetDisplayText(), "19-8 ");
  EXPECT_EQ(at.end, 4);
}

}  // namespace
