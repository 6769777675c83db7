# Shared by the project's scripts: paths, Wine and the build.
REPO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_ROOT="$REPO_ROOT/build"
WINE64=/usr/lib/wine/wine64
WINE32=/usr/lib/wine/wine
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

log() { printf '==> %s\n' "$*" >&2; }

# The Wine loader for programs of one architecture.
wine_loader() { if [ "$1" = i686 ]; then echo "$WINE32"; else echo "$WINE64"; fi; }

# A Wine prefix ready for our programs of both architectures: booted once (with wine32 present, so
# syswow64 is filled), UI font names mapped to WenQuanYi.
prepare_prefix() {
  local prefix=$1
  if [ -f "$prefix/.activity-ready-3" ] && [ -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    unmanaged_windows "$prefix"
    return 0
  fi
  log "preparing Wine prefix $prefix"
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  WINEPREFIX="$prefix" "$WINE64" wineboot -i </dev/null >/dev/null 2>&1
  local font
  for font in "Microsoft YaHei" "微软雅黑" "SimSun" "宋体" "Tahoma" "Segoe UI" "Arial"; do
    WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" \
      /t REG_SZ /d "WenQuanYi Micro Hei" /f </dev/null >/dev/null 2>&1
  done
  WINEPREFIX="$prefix" "$WINESERVER" -w
  if [ ! -f "$prefix/drive_c/windows/syswow64/kernel32.dll" ]; then
    echo "setup: $prefix cannot run 32-bit programs (is wine32:i386 installed?)" >&2
    return 1
  fi
  touch "$prefix/.activity-ready-3"
  unmanaged_windows "$prefix"
}

# Without a window manager, Wine stalls ~2 s whenever a managed window hides or goes away: the
# test and demo windows are not handed to one.
unmanaged_windows() {
  local prefix=$1
  if [ -f "$prefix/.activity-unmanaged" ]; then return 0; fi
  WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null || true  # a persistent server would never let -w return
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" "$WINESERVER" -w
  touch "$prefix/.activity-unmanaged"
}

# Configures one architecture: configure_arch ARCH [cmake args...]
configure_arch() {
  local arch=$1
  shift
  log "configuring $arch in $BUILD_ROOT/$arch"
  cmake -S "$REPO_ROOT" -B "$BUILD_ROOT/$arch" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$REPO_ROOT/cmake/toolchain-$arch.cmake" "$@" >/dev/null
}

# Builds one configured architecture: build_arch ARCH [targets...]
build_arch() {
  local arch=$1
  shift
  local targets=()
  [ $# -gt 0 ] && targets=(--target "$@")
  log "building $arch ${*:-(all)}"
  cmake --build "$BUILD_ROOT/$arch" --parallel "$(nproc)" "${targets[@]}"
}
