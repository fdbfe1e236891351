# Shared settings of the build and run scripts: where things are and the Wine environment.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${BUILD_DIR:-$ROOT/build}
ARCH=$(cat "$BUILD/arch" 2>/dev/null || echo i686)
BIN=$BUILD/$ARCH
export WINEPREFIX=$BUILD/wineprefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers; overrides a caller sets (a test run without gdiplus.dll) are added.
case ";${WINEDLLOVERRIDES:-};" in
  *";mscoree,mshtml=;"*) ;;
  *) export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}" ;;
esac
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
