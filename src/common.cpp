#include "common.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform.h"

char progs_image[IMAGE_SIZE];
char config_text[IMAGE_SIZE];

void FatalError(const char* format, ...) {
  // Where both streams share a console, the progress lines come first.
  std::fflush(stdout);
  std::fputs("Error: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  EndRun(1);
}

void EndRun(int status) {
  HoldOwnConsoleWindow();
  std::exit(status);
}
