#include "common.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

char progs_image[IMAGE_SIZE];
char config_text[IMAGE_SIZE];

void FatalError(const char* format, ...) {
  std::fputs("Error: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::exit(1);
}
