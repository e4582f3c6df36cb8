// The fuzz targets' stand-ins for the tool's buffers and FatalError: the
// tool's FatalError ends the process, this one records the message and
// jumps back into the harness, so one process can run many inputs.

#include "fuzz_support.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common.h"
#include "maplist.h"
#include "slots.h"

char progs_image[IMAGE_SIZE];
char config_text[IMAGE_SIZE];

std::jmp_buf fatal_return;
char fatal_message[256];

void FatalError(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(fatal_message, sizeof fatal_message, format, args);
  va_end(args);
  std::longjmp(fatal_return, 1);
}

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

void RequireParserMessage() {
  const char* const kinds[] = {
      "Unknown user var",    "Bad LOCALMAP def", "Expected '='",
      "Expected '\"'",       "Expected ';'",     "Newline inside sting",
      "Bad escape sequence", "String too long",  "Bad map name",
      "Unexpected NUL byte",
  };
  for (const char* kind : kinds) {
    char form[64];
    std::snprintf(form, sizeof form, "%s at line ", kind);
    const std::size_t length = std::strlen(form);
    if (std::strncmp(fatal_message, form, length) != 0) continue;
    const char* digits = fatal_message + length;
    const char* end = digits;
    while (*end >= '0' && *end <= '9') ++end;
    Require(end > digits && *digits != '0', "a line number from 1 on");
    Require(std::strcmp(end, "\n") == 0, "a message ending in \\n");
    return;
  }
  Require(false, "a known message");
}

bool ParseOnce() {
  if (setjmp(fatal_return) != 0) return false;
  ParseMapConfig();
  return true;
}

namespace {

char before[IMAGE_SIZE];    // progs_image when the snapshot was taken
int slots[MAP_SLOT_COUNT];  // the slot positions then

}  // namespace

void TakeSnapshot() {
  std::memcpy(before, progs_image, IMAGE_SIZE);
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) slots[n] = SlotPosition(n);
}

void RequireSlotsOnlyChanged(bool succeeded) {
  bool in_slot[IMAGE_SIZE] = {};
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    for (int i = 0; i <= MAX_MAP_NAME; ++i) in_slot[slots[n] + i] = true;
  }
  for (int i = 0; i < IMAGE_SIZE; ++i) {
    Require(in_slot[i] || progs_image[i] == before[i],
            "no byte outside the slots changes");
  }
  if (!succeeded) return;
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    Require(std::memchr(progs_image + slots[n], 0, MAX_MAP_NAME + 1),
            "a slot holds at most 15 bytes and its NUL");
  }
  FindMapSlots();
  Require(AllSlotsFound() && !PlaceholdersOverlap(), "ten slots again");
  for (int n = 0; n < MAP_SLOT_COUNT; ++n) {
    Require(SlotPosition(n) == slots[n], "the same ten slots again");
  }
}
