# Every third-party library, found once as an imported target.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(SYSTEMD REQUIRED IMPORTED_TARGET libsystemd)
find_package(OpenSSL 3 REQUIRED)
# The window host draws into an SDL2 window (X11 or Wayland; xvfb in tests).
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
