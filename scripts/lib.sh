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

# Whether this machine runs 32-bit programs: start the 32-bit loader, never guess from the installed
# packages (some kernels refuse every 32-bit program although wine32 is there). Asked once per
# shell. ACTIVITY_I686_RUNS=0|1 forces the answer (the scripts' own test uses it).
i686_runs() {
  case "${ACTIVITY_I686_RUNS:-}" in
    0) return 1 ;;
    1) return 0 ;;
  esac
  if [ -z "${ACTIVITY_I686_PROBED:-}" ]; then
    ACTIVITY_I686_PROBE_OUTPUT=$("$WINE32" --version 2>&1 </dev/null) && ACTIVITY_I686_PROBED=1 || ACTIVITY_I686_PROBED=0
  fi
  [ "$ACTIVITY_I686_PROBED" = 1 ]
}

# What is wrong when i686_runs says no, and what the caller does instead: i686_unavailable WHAT_INSTEAD
i686_unavailable() {
  local instead=$1
  if [ "${ACTIVITY_I686_RUNS:-}" = 0 ]; then
    echo "this machine is taken as one that cannot run 32-bit programs (ACTIVITY_I686_RUNS=0); $instead"
  elif [ ! -e "$WINE32" ]; then
    echo "this machine cannot run 32-bit programs: $WINE32 is missing (is wine32:i386 installed?); $instead"
  else
    local said=${ACTIVITY_I686_PROBE_OUTPUT:-failed}
    echo "this machine's kernel refuses 32-bit programs ($WINE32 --version: ${said##*: });" \
      "32-bit emulation is off (dmesg says \"32-bit emulation disabled\"; the boot parameter ia32_emulation=on" \
      "turns it on); $instead"
  fi
}

# The architecture a script runs when none is asked for: the shipped i686 where 32-bit programs run,
# else x86_64, said in one line. default_arch TOOL
default_arch() {
  if i686_runs; then echo i686; return; fi
  echo "$1: $(i686_unavailable "running the x86_64 build instead")" >&2
  echo x86_64
}

# An architecture asked for explicitly: i686 where 32-bit programs cannot run exits 2. require_arch TOOL ARCH
require_arch() {
  if [ "$2" = i686 ] && ! i686_runs; then
    echo "$1: $(i686_unavailable "--arch i686 cannot run here (--arch x86_64 can)")" >&2
    exit 2
  fi
}

# A Wine prefix ready for our programs of both architectures: booted once (with wine32 present, so
# syswow64 is filled), UI font names mapped to WenQuanYi. Where 32-bit programs cannot run, the
# prefix serves x86_64 alone; once they can, it is updated to fill syswow64.
prepare_prefix() {
  local prefix=$1
  local syswow64="$prefix/drive_c/windows/syswow64/kernel32.dll"
  if [ -f "$prefix/.activity-ready-3" ]; then
    if [ -f "$syswow64" ] || ! i686_runs; then
      unmanaged_windows "$prefix"
      no_crash_debugger "$prefix"
      return 0
    fi
    # Made where 32-bit programs could not run: a forced update fills syswow64.
    log "updating Wine prefix $prefix for 32-bit programs"
    rm -f "$prefix/.update-timestamp"
    WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null || true
    WINEPREFIX="$prefix" "$WINE64" wineboot -u </dev/null >/dev/null 2>&1
    WINEPREFIX="$prefix" "$WINESERVER" -w
    if [ -f "$syswow64" ]; then no_crash_debugger "$prefix"; return 0; fi
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
  if i686_runs && [ ! -f "$syswow64" ]; then
    echo "setup: $prefix cannot run 32-bit programs: wineboot did not fill syswow64" >&2
    return 1
  fi
  touch "$prefix/.activity-ready-3"
  unmanaged_windows "$prefix"
  no_crash_debugger "$prefix"
}

# A prefix without a display driver: a program that draws only off-screen (the preview) runs there
# with no display server at all, as headless Chromium does.
prepare_headless_prefix() {
  local prefix=$1
  prepare_prefix "$prefix"
  if [ -f "$prefix/.activity-headless" ]; then return 0; fi
  WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null || true
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f \
    </dev/null >/dev/null 2>&1
  WINEPREFIX="$prefix" "$WINESERVER" -w
  touch "$prefix/.activity-headless"
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

# A program that crashes must end at once, not wait for Wine's debugger until the test's time-out.
no_crash_debugger() {
  local prefix=$1 key
  # Both registry views: a 32-bit program reads the WoW64 one, and a crash dialog there hangs the test.
  if [ -f "$prefix/.activity-no-debugger-both-views" ]; then return 0; fi
  WINEPREFIX="$prefix" "$WINESERVER" -k 2>/dev/null || true
  for key in 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
             'HKLM\Software\Wow6432Node\Microsoft\Windows NT\CurrentVersion\AeDebug'; do
    WINEPREFIX="$prefix" "$WINE64" reg delete "$key" /v Debugger /f </dev/null >/dev/null 2>&1 || true
  done
  WINEPREFIX="$prefix" "$WINESERVER" -w
  touch "$prefix/.activity-no-debugger-both-views"
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

# A path as a Windows program under Wine sees it (the Z: drive).
wine_full_path() { local path; path=$(realpath -m -- "$1"); echo "Z:${path//\//\\}"; }

# The campaign tools' common run: set up, take --arch and --config, build the tool and run it in
# the tools' Wine prefix on a display of its own.
#   run_tool TOOL "PATH_OPTIONS" ARGS...
# PATH_OPTIONS: the tool's options whose value is always a path. Exits 2 when it could not run,
# else with the tool's exit code.
run_tool() {
  local tool=$1 path_options=" $2 " arch='' args=()
  shift 2
  "$REPO_ROOT/scripts/setup.sh" >&2 || tool_fail "$tool" "setup failed"
  while [ $# -gt 0 ]; do
    case "$1" in
      --arch) arch=${2:-}; shift 2 || tool_fail "$tool" "--arch needs a value" ;;
      --config)
        [ $# -ge 2 ] || tool_fail "$tool" "--config needs a value"
        # A file the tool reads itself; anything else is the item's text.
        if [ -f "$2" ]; then args+=(--config "$(wine_full_path "$2")"); else args+=(--config "$2"); fi
        shift 2 ;;
      *)
        if [ -n "$1" ] && [[ "$path_options" == *" $1 "* ]]; then
          [ $# -ge 2 ] || tool_fail "$tool" "$1 needs a value"
          args+=("$1" "$(wine_full_path "$2")")
          shift 2
        else
          args+=("$1"); shift
        fi ;;
    esac
  done
  case "$arch" in
    i686|x86_64) require_arch "$tool" "$arch" ;;
    "") arch=$(default_arch "$tool") ;;
    *) tool_fail "$tool" "--arch takes i686 or x86_64" ;;
  esac
  export ACTIVITY_ARCH=$arch

  if [ -f "$BUILD_ROOT/$arch/CMakeCache.txt" ]; then configure_arch "$arch"; else configure_arch "$arch" -DACTIVITY_BUILD_TESTS=OFF; fi ||
    tool_fail "$tool" "cmake could not configure build/$arch"
  local build_log="$BUILD_ROOT/tools-build-$arch.log"
  build_arch "$arch" "$tool" >"$build_log" 2>&1 || { cat "$build_log" >&2; tool_fail "$tool" "the build failed"; }

  export WINEPREFIX="$BUILD_ROOT/wine/tools"
  prepare_prefix "$WINEPREFIX" >&2 || tool_fail "$tool" "the Wine prefix is not ready"
  "$WINESERVER" -k 2>/dev/null || true  # Wine's desktop must start on this run's display
  xvfb-run -a -s "-screen 0 1280x1024x24" "$REPO_ROOT/scripts/wine-run.sh" "$BUILD_ROOT/$arch/bin/$tool.exe" \
    ${args[@]+"${args[@]}"}
}

tool_fail() { echo "$1: $2" >&2; exit 2; }
