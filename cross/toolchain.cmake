# Cross-compiling for another Debian architecture with Debian's cross-compilers, against the root
# that cross/root.sh makes for it (ZARN_CROSS_ROOT): its headers, libraries and pkg-config files.
# ZARN_CROSS_TRIPLET is its multiarch triplet: aarch64-linux-gnu, arm-linux-gnueabihf.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZARN_CROSS_ROOT ZARN_CROSS_TRIPLET)
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR ${ZARN_CROSS_TRIPLET})
set(CMAKE_C_COMPILER ${ZARN_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ZARN_CROSS_TRIPLET}-g++)
set(CMAKE_SYSROOT ${ZARN_CROSS_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(ENV{PKG_CONFIG_LIBDIR}
  ${ZARN_CROSS_ROOT}/usr/lib/${ZARN_CROSS_TRIPLET}/pkgconfig:${ZARN_CROSS_ROOT}/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${ZARN_CROSS_ROOT})
