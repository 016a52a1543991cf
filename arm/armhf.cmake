# SPDX-License-Identifier: MIT
# 32-bit ARM Linux with hardware floating point (Debian armhf: ARMv7, as
# Raspberry Pi 2 and later under a 32-bit system).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(triple arm-linux-gnueabihf)
set(LUMBOX_DEB_ARCHITECTURE armhf)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
