# Windows x86: a static 32-bit bpadmin.exe, for 32-bit Windows, from
# Debian's mingw-w64.
set(MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
