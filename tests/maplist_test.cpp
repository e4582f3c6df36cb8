#include "maplist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "common.h"
#include "slots.h"
#include "test_util.h"

namespace {

using std::string_literals::operator""s;

// Loads a progs image with ten slots, each holding "map<n>", and the text.
void Prepare(const std::string& config) {
  SetImage(MakeProgs());
  FindMapSlots();
  ASSERT_TRUE(AllSlotsFound());
  SetConfig(config);
}

// The 16 bytes of slot n once each of names was stored in it in turn.
std::string Slot(int n, const std::vector<std::string>& names = {}) {
  std::vector<std::pair<int, std::string>> stored;
  for (const std::string& name : names) stored.emplace_back(n, name);
  return WithNames(MakeProgs(), stored).substr(SlotStart(n), 16);
}

TEST(MapListStrings, StoresNames) {
  const struct {
    const char* name;
    std::string config;
    int slot;
    std::string bytes;  // all 16 bytes of the slot afterwards
  } cases[] = {
      {"a plain entry", "LOCALMAP3 = \"tower2\";", 3, Slot(3, {"tower2"})},
      {"no blanks at all", "LOCALMAP3=\"tower2\";", 3, Slot(3, {"tower2"})},
      {"fifteen characters", "LOCALMAP0=\"abcdefghijklmno\";", 0,
       "abcdefghijklmno\0"s},
      {"an empty name", "LOCALMAP5=\"\";", 5, Slot(5)},
      {"an escaped quote", "LOCALMAP1=\"a\\\"b\";", 1, Slot(1, {"a\"b"})},
      {"an escaped backslash", "LOCALMAP1=\"a\\\\b\";", 1, Slot(1, {"a\\b"})},
      {"an escape counts as one", "LOCALMAP1=\"\\\"bcdefghijklmno\";", 1,
       "\"bcdefghijklmno\0"s},
      {"CR inside a string is stored", "LOCALMAP2=\"a\rb\";", 2,
       Slot(2, {"a\rb"})},
      {"slashes inside a string", "LOCALMAP2=\"a//b\";", 2, Slot(2, {"a//b"})},
      {"bytes 0x80 and above", "LOCALMAP2=\"\xE9t\xE9\";", 2,
       Slot(2, {"\xE9t\xE9"})},
      {"NUL inside a string cuts the name", "LOCALMAP4=\"ab\0cd\";"s, 4,
       Slot(4, {"ab\0cd"s})},
      {"the last entry of a slot wins, over the rest of the first",
       "LOCALMAP6=\"longername\";\nLOCALMAP6=\"abc\";", 6,
       Slot(6, {"longername", "abc"})},
      {"blanks and comments between tokens",
       "// list\n  LOCALMAP7 // slot\n\t=\r\n // name next\n \"x\";\t", 7,
       Slot(7, {"x"})},
      {"CR LF line ends", "LOCALMAP8 = \"a\";\r\nLOCALMAP9 = \"b\";\r\n", 9,
       Slot(9, {"b"})},
      {"a comment runs to the end of the text",
       "LOCALMAP8=\"a\"; // LOCALMAP8=\"b\";", 8, Slot(8, {"a"})},
      {"NUL bytes alone may follow the list", "LOCALMAP8=\"a\";\0\0\0"s, 8,
       Slot(8, {"a"})},
      {"a slot the list does not name is emptied", "LOCALMAP8=\"a\";", 1,
       Slot(1)},
      {"an empty list empties every slot", "", 9, Slot(9)},
      {"a list of comments only", "// nothing\n//", 0, Slot(0)},
      {"a comment in a CR-only file runs to the end",
       "LOCALMAP1=\"a\";\r// c\rLOCALMAP1=\"b\";", 1, Slot(1, {"a"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Prepare(c.config);
    ParseMapConfig();
    EXPECT_EQ(SlotBytes(c.slot), c.bytes);
  }
}

struct ErrorCase {
  const char* name;
  std::string config;
  const char* message;  // the whole of stderr, as a regular expression
};

void ExpectErrors(const ErrorCase* begin, const ErrorCase* end) {
  for (const ErrorCase* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->name);
    Prepare(c->config);
    EXPECT_EXIT(ParseMapConfig(), testing::ExitedWithCode(1), c->message);
  }
}

TEST(MapListErrors, Syntax) {
  const ErrorCase cases[] = {
      {"lower-case keyword", "localmap0 = \"x\";",
       "^Error: Unknown user var at line 1\n$"},
      {"another word", "\n\nMAP0 = \"x\";",
       "^Error: Unknown user var at line 3\n$"},
      {"text ends inside the keyword", "LOCALMA",
       "^Error: Unknown user var at line 1\n$"},
      {"a single slash", "/ comment", "^Error: Unknown user var at line 1\n$"},
      {"a blank before the digit", "LOCALMAP 0 = \"x\";",
       "^Error: Bad LOCALMAP def at line 1\n$"},
      {"the byte after '9'", "LOCALMAP: = \"x\";",
       "^Error: Bad LOCALMAP def at line 1\n$"},
      {"text ends after the keyword", "LOCALMAP",
       "^Error: Bad LOCALMAP def at line 1\n$"},
      {"a digit of 0x80 and above", "LOCALMAP\xB3 = \"x\";",
       "^Error: Bad LOCALMAP def at line 1\n$"},
      {"two digits", "LOCALMAP10 = \"x\";",
       "^Error: Expected '=' at line 1\n$"},
      {"NUL after the digit", "LOCALMAP1\0 = \"x\";"s,
       "^Error: Expected '=' at line 1\n$"},
      {"no quote", "LOCALMAP1 = x;", "^Error: Expected '\"' at line 1\n$"},
      {"a blank before the semicolon", "LOCALMAP1 = \"x\" ;",
       "^Error: Expected ';' at line 1\n$"},
      {"no semicolon at the end", "LOCALMAP1 = \"x\"",
       "^Error: Expected ';' at line 1\n$"},
      {"lines counted through comments and blanks",
       "// one\nLOCALMAP1\n// three\n=\n\n\"x\"\n;",
       "^Error: Expected ';' at line 6\n$"},
      {"CR-only line ends count no lines", "LOCALMAP1=\"a\";\r\rLOCALMAP2=x",
       "^Error: Expected '\"' at line 1\n$"},
      // Text after the NUL that ends the list, as in UTF-16.
      {"an entry after a NUL", "LOCALMAP8=\"a\";\0LOCALMAP8=\"b\";"s,
       "^Error: Unexpected NUL byte at line 1\n$"},
      {"a NUL inside a comment", "// x\n//x\0\nLOCALMAP8=\"b\";"s,
       "^Error: Unexpected NUL byte at line 2\n$"},
      {"UTF-16LE text after a blank", " \0L\0O\0C\0"s,
       "^Error: Unexpected NUL byte at line 1\n$"},
      {"UTF-16BE text", "\0L\0O\0C"s,
       "^Error: Unexpected NUL byte at line 1\n$"},
      {"one byte in the last place", "\n\n\0"s + std::string(80, '\0') + "x",
       "^Error: Unexpected NUL byte at line 3\n$"},
  };
  ExpectErrors(std::begin(cases), std::end(cases));
}

TEST(MapListErrors, Strings) {
  const ErrorCase cases[] = {
      {"LF inside a string", "\nLOCALMAP1 = \"ab\ncd\";",
       "^Error: Newline inside sting at line 2\n$"},
      {"a bad escape", "LOCALMAP1 = \"a\\nb\";",
       "^Error: Bad escape sequence at line 1\n$"},
      {"backslash before LF", "LOCALMAP1 = \"a\\\n\";",
       "^Error: Bad escape sequence at line 1\n$"},
      {"sixteen characters", "LOCALMAP1 = \"abcdefghijklmnop\";",
       "^Error: String too long at line 1\n$"},
      {"LF after fifteen characters", "LOCALMAP1 = \"abcdefghijklmno\n\";",
       "^Error: String too long at line 1\n$"},
      {"backslash after fifteen characters",
       "LOCALMAP1 = \"abcdefghijklmno\\\"\";",
       "^Error: String too long at line 1\n$"},
      {"a string open at the end of the text", "LOCALMAP1 = \"abc",
       "^Error: String too long at line 1\n$"},
  };
  ExpectErrors(std::begin(cases), std::end(cases));
}

TEST(MapListErrors, StringOpenAtTheEndOfTheBuffer) {
  // The quote opens 8 bytes before the final NUL: the string takes them
  // and the NUL, and must stop there rather than read past the buffer.
  std::string config(IMAGE_SIZE - 1 - 8 - 13, ' ');
  config += "LOCALMAP1 = \"abcdefgh";
  ASSERT_EQ(config.size(), static_cast<std::size_t>(IMAGE_SIZE - 1));
  Prepare(config);
  EXPECT_EXIT(ParseMapConfig(), testing::ExitedWithCode(1),
              "^Error: String too long at line 1\n$");
}

TEST(MapListErrors, NamesThatSpellAMarker) {
  // The byte before slot 3 is the filler's; make it an 'l' for one case.
  const ErrorCase cases[] = {
      {"a whole marker", "\n\nLOCALMAP3 = \"xlt!g7\";",
       "^Error: Bad map name at line 3\n$"},
      {"a marker at the start", "LOCALMAP3 = \"lt!g0\";",
       "^Error: Bad map name at line 1\n$"},
      {"a marker at the end", "LOCALMAP3 = \"abcdefghijlt!g9\";",
       "^Error: Bad map name at line 1\n$"},
      {"reported before a missing semicolon", "LOCALMAP3 = \"lt!g0\"",
       "^Error: Bad map name at line 1\n$"},
      {"escapes make no difference", "LOCALMAP3 = \"\\\\lt!g0\";",
       "^Error: Bad map name at line 1\n$"},
  };
  ExpectErrors(std::begin(cases), std::end(cases));
}

TEST(MapListErrors, NameCompletingAMarkerBeforeTheSlot) {
  Prepare("LOCALMAP3 = \"t!g2\";");
  progs_image[SlotStart(3) - 1] = 'l';
  EXPECT_EXIT(ParseMapConfig(), testing::ExitedWithCode(1),
              "^Error: Bad map name at line 1\n$");
  Prepare("LOCALMAP3 = \"t!gx\";");
  progs_image[SlotStart(3) - 1] = 'l';
  ParseMapConfig();
  EXPECT_EQ(SlotText(3), "t!gx");
}

TEST(MapListUtf16, TellsUtf16AndByteOrderMarks) {
  const struct {
    std::string text;
    bool utf16;
  } cases[] = {
      {"\xFF\xFEL\0"s, true}, {"\xFE\xFF\0L"s, true}, {"\xEF\xBB\xBFL"s, true},
      {"L\0O\0"s, true},      {"\0L\0O"s, true},      {"\xFF\xFF\0L"s, false},
      {"\xEF\xBBL"s, false},  {"L\0\0"s, false},      {"LOCALMAP0"s, false},
      {""s, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    SetConfig(c.text);
    EXPECT_EQ(MapListIsUtf16(), c.utf16);
  }
}

TEST(MapListWriter, QuotesNames) {
  const struct {
    std::string slot;  // all 16 bytes
    std::string plain, visible;
  } cases[] = {
      {"tower2\0tail"s, "\"tower2\"", "\"tower2\""},
      {"a\"b\\c"s, "\"a\\\"b\\\\c\"", "\"a\\\"b\\\\c\""},
      {"\t\r\x7F\xE9"s, "\"\t\r\x7F\xE9\"", "\"\\x09\\x0D\\x7F\\xE9\""},
      {"sixteen bytes!!!", "\"sixteen bytes!!!\"", "\"sixteen bytes!!!\""},
      {"a~b\0"s, "\"a~b\"", "\"a~b\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.plain);
    SetImage(MakeProgs());
    std::copy(c.slot.begin(), c.slot.end(), progs_image + SlotStart(4));
    FindMapSlots();
    char quoted[QUOTED_NAME_SIZE];
    QuoteMapName(progs_image + SlotStart(4), false, quoted);
    EXPECT_EQ(quoted, c.plain);
    QuoteMapName(progs_image + SlotStart(4), true, quoted);
    EXPECT_EQ(quoted, c.visible);
  }
}

}  // namespace
