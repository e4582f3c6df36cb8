# Linux x86-64: a fully static bpadmin on musl (Debian's musl-tools). It
# runs on any x86-64 Linux, whatever its C library, and starts in a small
# part of what glibc's start-up costs. libstdc++'s headers serve the C++
# names of the C library; the tool links no code of libstdc++.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_CXX_COMPILER g++)
execute_process(COMMAND g++ -dumpversion OUTPUT_VARIABLE GXX_MAJOR
                OUTPUT_STRIP_TRAILING_WHITESPACE)
string(JOIN " " CMAKE_CXX_FLAGS_INIT
  -specs /usr/lib/x86_64-linux-musl/musl-gcc.specs
  -isystem /usr/include/c++/${GXX_MAJOR}
  -isystem /usr/include/x86_64-linux-gnu/c++/${GXX_MAJOR}
  -include "\"${CMAKE_CURRENT_LIST_DIR}/musl-compat.h\"")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
