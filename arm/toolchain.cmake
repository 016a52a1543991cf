# SPDX-License-Identifier: MIT
# Cross-building for Linux on ARM with Debian's cross compilers
# (crossbuild-essential-arm64 or -armhf), against the target's multiarch
# libraries (libsdl1.2-compat-dev:arm64 and so on, after
# dpkg --add-architecture). arm64.cmake and armhf.cmake name the target
# and include this file.
#   triple                      the GNU triple of Debian's cross compilers
#   LUMBOX_DEB_ARCHITECTURE     the target's Debian architecture, which the
#                               package is marked with
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${triple}-gcc)
set(CMAKE_CXX_COMPILER ${triple}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${triple})

# Libraries and headers come from the target's multiarch folders
# (/usr/lib/${triple}), which CMake searches before the build machine's;
# programs run on the build machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
