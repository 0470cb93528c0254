# Shared steps of the project's commands: packages, builds and the throwaway Wine machine.
# Sourced by scripts/test, scripts/bench and scripts/demo; expects $root to be the checkout.

# fonts-wine and fonts-liberation are only recommended by Wine: without them it
# draws every text in whatever fontconfig offers. They stand in for the fonts a
# Windows user has: Wine's own for the system and dialog fonts (wine_prepare
# puts them where Wine finds them), and Liberation Sans, with Arial's metrics,
# for Arial (the main window's font).
# wine32 runs the shipped 32-bit build: with it every new prefix is a WoW64 one,
# where a 32-bit program sees what it sees on 64-bit Windows.
T5_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
             binutils-mingw-w64 wine wine64 wine32:i386 xvfb xauth googletest fonts-wine fonts-liberation)

log() { printf '== %s\n' "$*" >&2; }

# ensure_packages [extra package...]: apt-get installs whatever is missing (update only then).
ensure_packages() {
  local missing=() p
  for p in "${T5_PACKAGES[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  # wine32 comes from the i386 architecture, which a fresh machine lacks.
  dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  # Another install running at the same moment (an unattended upgrade, a second
  # command) holds the package lock; wait for it instead of failing.
  local wait=(-o DPkg::Lock::Timeout=600)
  $sudo apt-get "${wait[@]}" update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get "${wait[@]}" install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# build_arch ARCH [target...]: configures (once) and builds build/ARCH.
build_arch() {
  local arch=$1; shift
  local dir="$root/build/$arch"
  if [ ! -f "$dir/build.ninja" ]; then
    log "configuring $arch"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" >/dev/null
  fi
  log "building $arch"
  if [ $# -gt 0 ]; then
    cmake --build "$dir" --target "$@"
  else
    cmake --build "$dir"
  fi
}

# wine_prepare PREFIX: exports the Wine environment and makes the prefix once.
# The virtual desktop avoids the 2 s wait for a window manager on every destroy
# of a visible top-level window; the crash dialog would wait for a click forever.
wine_prepare() {
  export WINEPREFIX=$1
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEARCH=win64
  # A prefix made by another Wine set-up may no longer start anything (one made
  # before wine32 was installed cannot load kernel32 once it is): the ready mark
  # holds the set-up the prefix was made with, and a changed set-up remakes it.
  local setup
  setup=$(wine_setup)
  if [ "$(cat "$WINEPREFIX/.t5-ready" 2>/dev/null)" != "$setup" ]; then
    log "making the Wine prefix $WINEPREFIX"
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    wine_import_registry <<'REG'
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
    wineserver -w
    printf '%s\n' "$setup" > "$WINEPREFIX/.t5-ready"
  fi
  # Debian's Wine looks for its own fonts outside the folder that fonts-wine
  # fills; it also takes every font in the prefix's font folder.
  local own=/usr/share/wine/fonts fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [ -f "$fonts/tahoma.ttf" ] || [ ! -d "$own" ] || cp "$own"/* "$fonts/"
}

# wine_setup: the installed Wine packages with their architectures and versions.
wine_setup() {
  dpkg-query -W -f='${Package}:${Architecture} ${Version} ${Status}\n' 'wine*' 'libwine*' 2>/dev/null |
    grep ' install ok installed$' | sort
}

# wine_import_registry: imports the registry sections read from standard input into the prefix.
wine_import_registry() {
  local reg="$WINEPREFIX/t5-settings.reg"
  { printf 'REGEDIT4\n\n'; cat; } > "$reg"
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
}

# wine_start / wine_stop: one persistent wineserver for the whole run.
# The first Wine process starts the prefix's services; they would inherit and
# hold open the output pipes of whichever test came first, so start them here.
wine_start() {
  wineserver -k >/dev/null 2>&1 || true   # a server left by an interrupted run
  wineserver -w >/dev/null 2>&1 || true
  wineserver -p
  trap wine_stop EXIT
  wine cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# wine_keep_desktop PROGRAM: starts the prefix's desktop process through
# PROGRAM (tests/tools/KeepDesktop.cpp), which stays a user of it until the
# server is stopped, and waits until it says the desktop is up.
wine_keep_desktop() {
  local ready="$WINEPREFIX/.t5-desktop"
  rm -f "$ready"
  wine "$1" </dev/null >"$ready" 2>/dev/null &
  local tries
  for tries in $(seq 600); do
    grep -q ready "$ready" 2>/dev/null && return 0
    sleep 0.1
  done
  log "the Wine desktop did not start"
  return 1
}
