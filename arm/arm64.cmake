# SPDX-License-Identifier: MIT
# 64-bit ARM Linux (Debian arm64: Raspberry Pi 3, 4 and 5 under a 64-bit
# system, and most other current boards).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(triple aarch64-linux-gnu)
set(LUMBOX_DEB_ARCHITECTURE arm64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain.cmake)
