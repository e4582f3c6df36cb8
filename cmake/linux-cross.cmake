# What the Linux cross builds share: a fully static binary from Debian's
# cross compiler for LINUX_TRIPLE, which the file that includes this one
# sets with CMAKE_SYSTEM_PROCESSOR. It needs no library at run time.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${LINUX_TRIPLE}-g++)
set(CMAKE_FIND_ROOT_PATH /usr/${LINUX_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
