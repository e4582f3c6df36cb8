#ifndef BPADMIN_FUZZ_PARSE_ONCE_H_
#define BPADMIN_FUZZ_PARSE_ONCE_H_

// Include right after maplist.cpp: it resets that file's private line count.

#include <csetjmp>

#include "fuzz_support.h"

/// Runs ParseMapConfig from line 1. True when it succeeded; otherwise
/// fatal_message holds what it reported.
inline bool ParseOnce() {
  line_number = 1;
  if (setjmp(fatal_return) != 0) return false;
  ParseMapConfig();
  return true;
}

#endif  // BPADMIN_FUZZ_PARSE_ONCE_H_
