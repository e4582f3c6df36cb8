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
  // A path from the command line or a file must never drive the terminal:
  // each C0 control, DEL and C1 control (U+0080 to U+009F, C2 80 to C2 9F
  // in UTF-8) becomes one '?'; UTF-8 letters stay as they are.
  std::size_t kept = 0;
  for (std::size_t i = 0; i + 1 < length; ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    const auto next = static_cast<unsigned char>(out[i + 1]);
    const bool c1 = byte == 0xC2 && next >= 0x80 && next <= 0x9F;
    out[kept++] = byte < ' ' || byte == DEL || c1 ? '?' : out[i];
    if (c1) ++i;
  }
  if (length > 0) out[kept++] = '\n';
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

void AddErrorNote(const char* line) { error_note = line; }

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
  WriteText(stderr, error_note);
  EndRun(1);
}

bool StartRun() {
  const bool stdout_was_closed = GuardStandardStreams();
  IgnoreWriteSignals();
  return stdout_was_closed;
}

void EndRun(int status) {
  HoldOwnConsoleWindow();
  std::exit(status);
}
