# Linux i386: a fully static bpadmin for 32-bit x86 systems.
set(LINUX_TRIPLE i686-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
