#!/bin/bash
# Installs what building and testing need on a Debian 12 machine (as root), idempotently:
# the MinGW-w64 toolchain, Wine, Xvfb, fonts, build tools, googletest sources, a static
# cross-built libjpeg in the build tree and a Wine prefix in the build tree.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
. "$ROOT/scripts/env.sh"
export DEBIAN_FRONTEND=noninteractive

PKGS=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
      wine wine64 fonts-wine fonts-wqy-microhei
      xvfb xauth x11-apps x11-utils xdotool imagemagick
      nasm cmake ninja-build googletest dpkg-dev iproute2 util-linux python3
      clang libclang-rt-14-dev)

missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Source entries mirrored from the machine's own binary entries, for 'apt-get source'.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  echo "setup: adding deb-src entries"
  tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f" && echo
  done > "$tmp"
  mv "$tmp" /etc/apt/sources.list.d/project-debsrc.sources
  chmod 644 /etc/apt/sources.list.d/project-debsrc.sources
  if [ -s /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/project-debsrc.list
  fi
  apt-get update -qq
fi

# libjpeg (IJG 6b interface) from Debian's libjpeg-turbo source, static, for Win64.
DEPS="$DEPS_ROOT"
if [ ! -f "$DEPS/sysroot/lib/libjpeg.a" ]; then
  echo "setup: cross-building libjpeg"
  mkdir -p "$DEPS/src"
  src=$(ls -d "$DEPS"/src/libjpeg-turbo-*/ 2>/dev/null | head -1 || true)
  if [ -z "$src" ]; then
    (cd "$DEPS/src" && apt-get source -qq -o APT::Sandbox::User=root libjpeg-turbo >/dev/null)
    src=$(ls -d "$DEPS"/src/libjpeg-turbo-*/ | head -1)
  fi
  rm -rf "$DEPS/jpeg-build"
  cmake -S "$src" -B "$DEPS/jpeg-build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$DEPS/sysroot" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON \
    -DCMAKE_ASM_NASM_COMPILER=nasm > "$DEPS/jpeg-build.log" 2>&1
  cmake --build "$DEPS/jpeg-build" -j"$(nproc)" >> "$DEPS/jpeg-build.log" 2>&1
  cmake --install "$DEPS/jpeg-build" >> "$DEPS/jpeg-build.log" 2>&1
fi

# Wine prefix in the build tree (64-bit, quiet, no Mono; the HTML engine stays enabled).
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix"
  mkdir -p "$WINEPREFIX"
  (unset DISPLAY; env LC_ALL=$WINE_LOCALE wineboot --init >/dev/null 2>&1; wineserver -w)
fi

# Windows draw their own frames and captions (there is no window manager on the test display).
if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  (unset DISPLAY
   env LC_ALL=$WINE_LOCALE wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
   env LC_ALL=$WINE_LOCALE wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
   wineserver -w)
fi
