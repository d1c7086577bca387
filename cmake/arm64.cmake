# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt program for arm64 (the 64-bit Raspberry Pi OS, other arm64 Debian), cross-built with
# Debian's cross compiler against Debian's arm64 Qt, its tests run under qemu's user-mode
# emulation, which needs no binfmt_misc.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config)
# Qt's build tools (moc, rcc) are the build machine's own.
set(QT_HOST_PATH /usr)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
# Debian's name for it, which its package carries.
set(BINROT_DEBIAN_ARCH arm64)
