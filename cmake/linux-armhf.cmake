# Linux armhf: a fully static bpadmin for 32-bit ARMv7 with VFP, as on the
# 32-bit Raspberry Pi OS of a Pi 2 and later.
set(LINUX_TRIPLE arm-linux-gnueabihf)
set(CMAKE_SYSTEM_PROCESSOR arm)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
