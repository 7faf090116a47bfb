# Shared shell functions of the harness scripts. Source it; don't run it.

KQ_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KQ_BUILD="$KQ_ROOT/build"
KQ_WIN_BUILD="$KQ_BUILD/win"
KQ_NATIVE_BUILD="$KQ_BUILD/native"
KQ_DIST="$KQ_ROOT/dist"
KQ_WINE_TEMPLATE="$KQ_BUILD/wine-template"
# The face every PC shows for "宋体": a Song face whose 12 px glyphs (embedded
# bitmaps) keep 宋体's metrics, half-width Latin of 6 px beside 12 px Chinese.
# Installed by tools/deps (fonts-arphic-uming).
KQ_SONG_FACE="AR PL UMing CN"
# The Debian source packages of tools/debian-sources, fetched once by
# tools/deps and unpacked by each tree that builds them.
KQ_DEBIAN_SOURCES="$KQ_BUILD/debian-sources"

# Where the install folders go on a PC's C: drive, and the registry values
# that point the programs at them.
KQ_INSTALL_DIR_WIN='C:\Tutorium'

kq_wine_env() {
  export WINEDEBUG=-all
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  # No Mono or Gecko installers: the programs need neither. No debugger
  # either: a crashed test program ends at once instead of waiting for one.
  export WINEDLLOVERRIDES="mscoree,mshtml,winedbg.exe="
}

kq_jobs() { nproc 2>/dev/null || echo 2; }

# Compiler cache for developers' repeated builds, when the machine has one;
# CI builds without it.
kq_cmake_launcher() {
  if command -v ccache >/dev/null 2>&1; then
    echo "-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  fi
}

# Configure (once) and build both trees, then lay out dist/.
kq_build() {
  if [ ! -f "$KQ_WIN_BUILD/build.ninja" ]; then
    cmake -S "$KQ_ROOT" -B "$KQ_WIN_BUILD" -G Ninja $(kq_cmake_launcher) \
      -DCMAKE_TOOLCHAIN_FILE="$KQ_ROOT/cmake/mingw-w64.cmake" >/dev/null
  fi
  if [ ! -f "$KQ_NATIVE_BUILD/build.ninja" ]; then
    cmake -S "$KQ_ROOT" -B "$KQ_NATIVE_BUILD" -G Ninja $(kq_cmake_launcher) >/dev/null
  fi
  cmake --build "$KQ_NATIVE_BUILD" -j "$(kq_jobs)"
  cmake --build "$KQ_WIN_BUILD" -j "$(kq_jobs)"
  rm -rf "$KQ_DIST"
  cmake --install "$KQ_WIN_BUILD" >/dev/null
}

# Writes a .reg file (given as UTF-8 on stdin) into a prefix. regedit wants
# UTF-16 with a byte-order mark for texts outside ASCII.
kq_reg_import() {
  local prefix="$1" file
  file="$(mktemp --suffix=.reg)"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$file"
  WINEPREFIX="$prefix" wine regedit /S "$(winepath_of "$file")" >/dev/null 2>&1
  WINEPREFIX="$prefix" wineserver -w
  rm -f "$file"
}

# Unix path -> the path Wine sees (Z: maps the Unix root).
winepath_of() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }

# One Wine prefix per build, booted once; PCs and test runs get linked copies.
kq_wine_template() {
  kq_wine_env
  # The marker names the substituted face: a template made with another one
  # is made again.
  [ "$(cat "$KQ_WINE_TEMPLATE/.kq-ready" 2>/dev/null)" = "$KQ_SONG_FACE" ] && return 0
  rm -rf "$KQ_WINE_TEMPLATE"
  mkdir -p "$KQ_BUILD"
  echo "wine: creating the template prefix"
  WINEPREFIX="$KQ_WINE_TEMPLATE" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$KQ_WINE_TEMPLATE" wineserver -w
  # The programs ask for "宋体"; Wine shows it with the installed Song face.
  kq_reg_import "$KQ_WINE_TEMPLATE" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="$KQ_SONG_FACE"
"SimSun"="$KQ_SONG_FACE"
"新宋体"="$KQ_SONG_FACE"

; No window manager runs on the PCs' screens: Wine must not wait for one
; (it would wait 2 s each time a window is hidden).
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
  printf '%s' "$KQ_SONG_FACE" >"$KQ_WINE_TEMPLATE/.kq-ready"
}

# A copy of the template: files hard-linked, but the registry files that Wine
# rewrites in place are real copies so the template never changes.
kq_wine_copy() {
  local dest="$1" reg
  rm -rf "$dest"
  cp -al "$KQ_WINE_TEMPLATE" "$dest"
  rm -f "$dest/wineserver" # the template's server lock, not the copy's
  for reg in system.reg user.reg userdef.reg; do
    rm -f "$dest/$reg"
    cp "$KQ_WINE_TEMPLATE/$reg" "$dest/$reg"
  done
}

# Starts the prefix's wineserver and Wine's own services once, with no
# standard streams of ours: a service started later by a test process would
# inherit that test's output pipe and keep ctest waiting for it to close.
kq_wine_warmup() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine wineboot </dev/null >/dev/null 2>&1
}

# A free X display number from $1 upward.
kq_free_display() {
  local n="$1"
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

# Starts Xvfb on display $1 with screen geometry $2; waits until it answers
# and prints its process id. Fails when another server holds the display
# (another script may have taken the number since it was found free).
kq_start_xvfb() {
  local display="$1" geometry="${2:-1024x768x24}" i pid
  Xvfb ":$display" -screen 0 "$geometry" -nolisten tcp -ac >/dev/null 2>&1 &
  pid=$!
  for i in $(seq 1 200); do
    if [ -e "/tmp/.X11-unix/X$display" ] && [ "$(tr -dc 0-9 <"/tmp/.X$display-lock" 2>/dev/null)" = "$pid" ]; then
      echo "$pid"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  echo "Xvfb :$display did not start" >&2
  return 1
}

# A screen of geometry $2 on the first display from $1 upward that Xvfb can
# take, whatever other scripts start meanwhile; prints "DISPLAY PID".
kq_start_screen() {
  local n="$1" geometry="$2" pid attempt
  for attempt in $(seq 1 20); do
    n="$(kq_free_display "$n")"
    if pid="$(kq_start_xvfb "$n" "$geometry" 2>/dev/null)"; then
      echo "$n $pid"
      return 0
    fi
    n=$((n + 1))
  done
  echo "no X display could be started from :$1 on" >&2
  return 1
}
