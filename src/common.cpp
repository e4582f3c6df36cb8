#include "common.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform.h"

char progs_image[IMAGE_SIZE];
char config_text[IMAGE_SIZE];

namespace {

const char* NoNote() { return ""; }

const char* (*error_note)() = NoNote;  // what FatalError prints last

// The C1 controls, U+0080 to U+009F, are C2 80 to C2 9F in UTF-8.
constexpr unsigned char C1_FIRST = 0x80;
constexpr unsigned char C1_LAST = 0x9F;

bool IsC1Control(const char* text) {
  const auto byte = static_cast<unsigned char>(text[1]);
  return text[0] == '\xC2' && byte >= C1_FIRST && byte <= C1_LAST;
}

}  // namespace

void FormatLineV(char (&out)[LINE_SIZE], const char* format, va_list args) {
  // A line cut short still ends as a line.
  if (std::vsnprintf(out, LINE_SIZE, format, args) >= LINE_SIZE) {
    out[LINE_SIZE - 2] = '\n';
  }
  // A path from the command line or a file must never drive the terminal:
  // each control character becomes one '?', and UTF-8 letters stay.
  const std::size_t length = std::strlen(out);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const bool c1 = IsC1Control(out + i);
    const bool last_lf = i + 1 == length && out[i] == '\n';
    out[kept++] =
        (IsControlByte(static_cast<unsigned char>(out[i])) && !last_lf) || c1
            ? '?'
            : out[i];
    if (c1) ++i;
  }
  out[kept] = '\0';
}

void FormatLine(char (&out)[LINE_SIZE], const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatLineV(out, format, args);
  va_end(args);
}

void Print(std::FILE* stream, const char* format, ...) {
  char text[LINE_SIZE];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, LINE_SIZE, format, args);
  va_end(args);
  WriteText(stream, text);
}

void AddErrorNote(const char* (*note)()) { error_note = note; }

void FatalError(const char* format, ...) {
  // Where both streams share a console, the progress lines come first.
  std::fflush(stdout);
  char line[LINE_SIZE];
  va_list args;
  va_start(args, format);
  FormatLineV(line, format, args);
  va_end(args);
  WriteText(stderr, "Error: ");
  WriteText(stderr, line);
  WriteText(stderr, error_note());
  EndRun(1);
}

void RequireStandardOutput() {
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
    FatalError("Cannot write standard output\n");
  }
}

bool StartRun() {
  const bool stdout_was_closed = GuardStandardStreams();
  IgnoreWriteSignals();
  return stdout_was_closed;
}

void EndRun(int status) {
  // A run whose output was lost has failed, as coreutils' close_stdout says.
  if (status == 0) RequireStandardOutput();
  HoldOwnConsoleWindow();
  std::exit(status);
}
