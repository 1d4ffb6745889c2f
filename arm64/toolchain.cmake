# Cross-compiling for arm64 Debian with Debian's cross-compilers, against the arm64 root that
# arm64/root.sh makes (ZARN_ARM64_ROOT): its headers, libraries and pkg-config files.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZARN_ARM64_ROOT)
set(CMAKE_SYSROOT ${ZARN_ARM64_ROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(ENV{PKG_CONFIG_LIBDIR}
  ${ZARN_ARM64_ROOT}/usr/lib/aarch64-linux-gnu/pkgconfig:${ZARN_ARM64_ROOT}/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${ZARN_ARM64_ROOT})
