#include "maplist.h"

#include <cstdio>
#include <cstring>

#include "common.h"
#include "slots.h"

namespace {

constexpr char KEYWORD[] = "LOCALMAP";
constexpr int KEYWORD_LENGTH = sizeof KEYWORD - 1;
constexpr char HEX_FORM[] = "\\x%02X";
constexpr unsigned char FIRST_HIGH_BYTE = 0x80;  // the first beyond ASCII

// Set by ParseMapConfig for each parse.
int cursor;       // next byte of config_text
int line_number;  // of the cursor: counts the LFs stepped over
int write_pos;    // next byte of progs_image in the selected slot

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Steps over whitespace and "//" comments; the one place line_number grows.
void SkipBlanks() {
  for (;;) {
    if (config_text[cursor] == '\n') ++line_number;
    if (IsBlank(config_text[cursor])) {
      ++cursor;
    } else if (config_text[cursor] == '/' && config_text[cursor + 1] == '/') {
      // The comment runs up to its LF, a blank, or to the end of the text.
      while (config_text[cursor] != '\n' && config_text[cursor] != '\0') {
        ++cursor;
      }
    } else {
      return;
    }
  }
}

// Takes the next byte whatever it is, and fails unless it was c.
void ExpectChar(char c) {
  if (config_text[cursor++] != c) {
    FatalError("Expected '%c' at line %d\n", c, line_number);
  }
}

// Reads "LOCALMAP" and its digit, and selects that digit's slot.
void ParseUserVar() {
  // strncmp stops at the first difference, so never passes the final NUL.
  if (std::strncmp(config_text + cursor, KEYWORD, KEYWORD_LENGTH) != 0) {
    FatalError("Unknown user var at line %d\n", line_number);
  }
  cursor += KEYWORD_LENGTH;
  const char digit = config_text[cursor];
  if (digit < '0' || digit > '9') {
    FatalError("Bad LOCALMAP def at line %d\n", line_number);
  }
  ++cursor;
  write_pos = SlotPosition(digit - '0');
}

// Copies a quoted string into the selected slot and terminates it there.
// A NUL inside the quotes is an ordinary character.
void ParseString() {
  ExpectChar('"');
  for (int count = 0; cursor < IMAGE_SIZE; ++count) {
    char c = config_text[cursor];
    if (c == '"' || count == MAX_MAP_NAME) break;
    if (c == '\n') FatalError("Newline inside sting at line %d\n", line_number);
    if (c == '\\') {
      c = config_text[++cursor];  // the last byte is NUL, never a backslash
      if (c != '"' && c != '\\') {
        FatalError("Bad escape sequence at line %d\n", line_number);
      }
    }
    progs_image[write_pos++] = c;
    ++cursor;
  }
  if (cursor == IMAGE_SIZE || config_text[cursor] != '"') {
    FatalError("String too long at line %d\n", line_number);
  }
  ++cursor;
  progs_image[write_pos] = '\0';
}

}  // namespace

void ParseMapConfig() {
  ClearMapSlots();
  cursor = 0;
  line_number = 1;
  SkipBlanks();
  while (config_text[cursor] != '\0') {
    ParseUserVar();
    const int slot_start = write_pos;
    SkipBlanks();
    ExpectChar('=');
    SkipBlanks();
    ParseString();
    // A name that spells a marker, alone or with the bytes before the slot,
    // would plant a slot that a later run accepts.
    if (MarkerCovers(slot_start, write_pos - 1)) {
      FatalError("Bad map name at line %d\n", line_number);
    }
    ExpectChar(';');
    SkipBlanks();
  }
  // Text after the NUL that ended the list, as in a list saved as UTF-16,
  // would be lost without a word; NUL bytes alone may follow.
  for (int i = cursor + 1; i < IMAGE_SIZE; ++i) {
    if (config_text[i] != '\0') {
      FatalError("Unexpected NUL byte at line %d\n", line_number);
    }
  }
}

bool MapListIsUtf16() {
  const auto* text = reinterpret_cast<const unsigned char*>(config_text);
  const bool utf8_mark = text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF;
  const bool utf16_mark = (text[0] == 0xFF && text[1] == 0xFE) ||
                          (text[0] == 0xFE && text[1] == 0xFF);
  // Without a mark, UTF-16 shows as a NUL beside each ASCII character.
  const bool utf16_le = text[0] != 0 && text[1] == 0 && text[2] != 0;
  const bool utf16_be = text[0] == 0 && text[1] != 0;
  return utf8_mark || utf16_mark || utf16_le || utf16_be;
}

namespace {

constexpr char ENTRY_FORM[] = "%s%d = %s;\n";
constexpr char FAULT_FORM[] = "// %s%d cannot be written back: %s\n";
constexpr char LONGEST_FAULT[] = "its name would spell a slot marker";
constexpr char VISIBLE_NOTE[] =
    "// Each \\xHH above is a byte made visible for the terminal, not map "
    "list syntax:\n// redirected to a file, the list keeps the real bytes.\n";
// The longest line of each kind: its form less "%s%d" and "%s", then the
// keyword, the digit and the longest quoted name or fault.
constexpr int ENTRY_LINE =
    sizeof ENTRY_FORM - 1 - 6 + sizeof KEYWORD - 1 + 1 + QUOTED_NAME_SIZE - 1;
constexpr int FAULT_LINE = sizeof FAULT_FORM - 1 - 6 + sizeof KEYWORD - 1 + 1 +
                           sizeof LONGEST_FAULT - 1;
constexpr int LONGEST_LINE = ENTRY_LINE > FAULT_LINE ? ENTRY_LINE : FAULT_LINE;
static_assert(MAP_SLOT_COUNT * LONGEST_LINE +
                      static_cast<int>(sizeof VISIBLE_NOTE) <=
                  MAP_LIST_SIZE,
              "WriteMapList's output must fit, so no room ever runs out");

// The bytes of a slot's name: up to its NUL, or all 16 without one.
int NameLength(const char* slot) {
  const void* nul = std::memchr(slot, '\0', MAX_MAP_NAME + 1);
  return nul == nullptr
             ? MAX_MAP_NAME + 1
             : static_cast<int>(static_cast<const char*>(nul) - slot);
}

// A name shown to a person writes control bytes and all but ASCII as \xHH.
bool ShownAsHex(unsigned char byte) {
  return IsControlByte(byte) || byte >= FIRST_HIGH_BYTE;
}

}  // namespace

bool QuoteMapName(const char* slot, bool visible,
                  char (&out)[QUOTED_NAME_SIZE]) {
  const int length = NameLength(slot);
  bool made_visible = false;
  int end = 0;
  out[end++] = '"';
  for (int i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(slot[i]);
    if (byte == '"' || byte == '\\') {
      out[end++] = '\\';
      out[end++] = slot[i];
    } else if (visible && ShownAsHex(byte)) {
      end += std::snprintf(out + end, sizeof "\\xHH", HEX_FORM, byte);
      made_visible = true;
    } else {
      out[end++] = slot[i];
    }
  }
  out[end++] = '"';
  out[end] = '\0';
  return made_visible;
}

const char* MapNameFault(int n) {
  const int slot = SlotPosition(n);
  const int length = NameLength(progs_image + slot);
  if (length > MAX_MAP_NAME) return "its 16 bytes hold no NUL";
  if (std::memchr(progs_image + slot, '\n', static_cast<std::size_t>(length)) !=
      nullptr) {
    return "its name holds a line feed";
  }
  // The check the parser makes after storing these very bytes.
  if (MarkerCovers(slot, slot + length - 1)) return LONGEST_FAULT;
  return nullptr;
}

int WriteMapList(char (&out)[MAP_LIST_SIZE], bool visible) {
  int first_fault = -1;
  bool made_visible = false;
  int end = 0;
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    const char* fault = MapNameFault(n);
    const auto room = static_cast<std::size_t>(MAP_LIST_SIZE - end);
    if (fault == nullptr) {
      char quoted[QUOTED_NAME_SIZE];
      made_visible =
          QuoteMapName(progs_image + SlotPosition(n), visible, quoted) ||
          made_visible;
      end += std::snprintf(out + end, room, ENTRY_FORM, KEYWORD, n, quoted);
    } else {
      if (first_fault < 0) first_fault = n;
      end += std::snprintf(out + end, room, FAULT_FORM, KEYWORD, n, fault);
    }
  }
  std::strcpy(out + end, made_visible ? VISIBLE_NOTE : "");
  return first_fault;
}
