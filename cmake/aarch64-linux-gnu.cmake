# Cross-builds for 64-bit ARM Debian 12 (Raspberry Pi OS and other arm64
# boards) with Debian's cross compilers (crossbuild-essential-arm64), against
# a folder holding Debian's arm64 packages (scripts/make-sysroot), with Qt's
# code generators taken from this machine. Built programs run under QEMU's
# user-mode emulation: the test discovery, the icon rendering and ctest.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake -DQOR_SYSROOT=FOLDER ...
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

if(NOT QOR_SYSROOT)
  set(QOR_SYSROOT "$ENV{QOR_SYSROOT}")
endif()
if(NOT IS_DIRECTORY "${QOR_SYSROOT}/usr/lib/aarch64-linux-gnu")
  message(FATAL_ERROR "QOR_SYSROOT must name a folder of Debian's arm64 packages (scripts/make-sysroot arm64)")
endif()
set(QOR_SYSROOT "${QOR_SYSROOT}" CACHE PATH "Folder holding Debian's arm64 packages")
# Checks CMake compiles in throwaway projects need the folder too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QOR_SYSROOT)

set(CMAKE_SYSROOT "${QOR_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH "${QOR_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# This machine's pkg-config, reading the folder's .pc files (a Debian package
# build names an arm64 wrapper that only a multiarch install provides).
if(NOT EXISTS "${PKG_CONFIG_EXECUTABLE}")
  set(PKG_CONFIG_EXECUTABLE /usr/bin/pkg-config CACHE FILEPATH "pkg-config" FORCE)
endif()
set(ENV{PKG_CONFIG_SYSROOT_DIR} "${QOR_SYSROOT}")
set(ENV{PKG_CONFIG_LIBDIR} "${QOR_SYSROOT}/usr/lib/aarch64-linux-gnu/pkgconfig:${QOR_SYSROOT}/usr/share/pkgconfig")

# moc, rcc and uic of the same Qt release, built for this machine.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR "/usr/lib/${CMAKE_HOST_SYSTEM_PROCESSOR}-linux-gnu/cmake")

find_program(QOR_QEMU_AARCH64 NAMES qemu-aarch64-static qemu-aarch64 REQUIRED)
# QEMU finds the programs' files in the folder for most calls, but its
# faccessat looks at this machine's own paths, where Qt checks that its plugin
# folder exists: Qt is told the folder's path on this machine.
# Programs that start other arm64 programs (death tests, scripts running
# qorctl) reach QEMU through binfmt_misc (scripts/cross-arm64 registers it),
# which finds the folder through QEMU_LD_PREFIX in the environment they pass on.
set(CMAKE_CROSSCOMPILING_EMULATOR "${QOR_QEMU_AARCH64};-L;${QOR_SYSROOT}"
    "-E;QT_PLUGIN_PATH=${QOR_SYSROOT}/usr/lib/aarch64-linux-gnu/qt6/plugins"
    "-E;QEMU_LD_PREFIX=${QOR_SYSROOT}")
