#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, test and demo the module.
# Idempotent: a second run checks and returns in about a second.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PACKAGES=(cmake ninja-build dpkg-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine wine64 xvfb xauth fonts-wqy-microhei
  googletest python3 wine32:i386)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

# TinyXML-2 comes as Debian's source package, which needs the deb-src index.
SOURCES_FILE=/etc/apt/sources.list.d/activity-deb-src.sources
need_sources=0
if ! ls "$REPO_ROOT"/.deps/tinyxml2-*/tinyxml2.cpp >/dev/null 2>&1; then need_sources=1; fi
if [ "$need_sources" = 1 ] && ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ &&
   ! grep -qs '^deb-src' /etc/apt/sources.list; then
  log "adding the Debian source index"
  as_root tee "$SOURCES_FILE" >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  missing+=("(source index)")
fi

# The shipped module is 32-bit: Wine runs it through wine32 from the i386 architecture.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  log "adding the i386 architecture"
  as_root dpkg --add-architecture i386
  missing+=("(i386 index)")
fi

if [ ${#missing[@]} -gt 0 ] || [ "$need_sources" = 1 ]; then
  log "installing: ${missing[*]:-nothing, refreshing the source index}"
  as_root apt-get update -qq
  real_packages=()
  for package in "${missing[@]}"; do [[ "$package" == "("* ]] || real_packages+=("$package"); done
  if [ ${#real_packages[@]} -gt 0 ]; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
      "${real_packages[@]}" >/dev/null
  fi
fi

if [ "$need_sources" = 1 ]; then
  log "fetching the tinyxml2 source package"
  mkdir -p "$REPO_ROOT/.deps"
  if ! (cd "$REPO_ROOT/.deps" && apt-get source -qq tinyxml2 >/dev/null 2>&1) ||
     ! ls "$REPO_ROOT"/.deps/tinyxml2-*/tinyxml2.cpp >/dev/null 2>&1; then
    echo "setup: could not fetch Debian's tinyxml2 source package (is the Debian mirror reachable?)" >&2
    exit 1
  fi
fi
