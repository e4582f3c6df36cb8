#include "common.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform.h"

char progs_image[IMAGE_SIZE];
char config_text[IMAGE_SIZE];

namespace {

constexpr unsigned char DEL = 0x7F;  // the control byte above the printable

const char* error_note = "";  // printed after FatalError's message

}  // namespace

void FormatLineV(char (&out)[LINE_SIZE], const char* format, va_list args) {
  std::vsnprintf(out, LINE_SIZE, format, args);
  const std::size_t length = std::strlen(out);
  // A line cut short still ends as a line.
  if (length > 0) out[length - 1] = '\n';
  // A path from the command line or a file must never drive the terminal.
  for (std::size_t i = 0; i + 1 < length; ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte < ' ' || byte == DEL) out[i] = '?';
  }
}

void FormatLine(char (&out)[LINE_SIZE], const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatLineV(out, format, args);
  va_end(args);
}

void AddErrorNote(const char* line) { error_note = line; }

void FatalError(const char* format, ...) {
  // Where both streams share a console, the progress lines come first.
  std::fflush(stdout);
  char line[LINE_SIZE];
  va_list args;
  va_start(args, format);
  FormatLineV(line, format, args);
  va_end(args);
  std::fputs("Error: ", stderr);
  std::fputs(line, stderr);
  std::fputs(error_note, stderr);
  EndRun(1);
}

void EndRun(int status) {
  HoldOwnConsoleWindow();
  std::exit(status);
}
