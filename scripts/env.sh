# Sourced by every script: where the build tree lives and the one Wine environment.
# The ANSI code page inside Wine follows the locale: zh_CN gives code page 936. It is set
# only for Wine's own processes (scripts/wine), not for the host tools.
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export BUILD_ROOT=${BUILD_ROOT:-$ROOT/build}
export DEPS_ROOT=${DEPS_ROOT:-$ROOT/build/deps}
export WINEPREFIX=$BUILD_ROOT/wineprefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree="
export WINE_LOCALE=zh_CN.UTF-8
