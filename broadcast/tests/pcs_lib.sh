# Shared set-up of the engine's tests between PCs: a private classroom
# network with PCs T1 and A1, each with its own Xvfb screen and Wine prefix
# holding MirageHost.exe and the engine's files. Source it after setting
# $bin; it sets $work and a trap that takes everything down.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib.sh"
kq_wine_env
kq_wine_template || exit 1

group=239.255.77.21
port=47331
tag="kqv$$"
work="$(mktemp -d "$KQ_BUILD/$(basename "$0" .sh).XXXXXX")"
xvfb_pids=()
feeds=()
cleanup() {
  local fd
  for fd in "${feeds[@]}"; do exec {fd}>&-; done
  for pc in T1 A1 A2 A3; do WINEPREFIX="$work/$pc" wineserver -k 2>/dev/null || true; done
  for pid in "${xvfb_pids[@]}"; do kill "$pid" 2>/dev/null; done
  "$KQ_ROOT/tools/netns" down "$tag" 2>/dev/null
  [ "${KQ_KEEP_VIEWER:-0}" = 1 ] || rm -rf "$work"
}
trap cleanup EXIT
"$KQ_ROOT/tools/netns" up "$tag" T1 A1 A2 A3 || exit 1

# new_pcs TEACHER_GEOMETRY STUDENT_GEOMETRY: fresh PCs T1 and A1 (A2 and A3
# are on the network too, set up by make_pc when a test needs them).
new_pcs() {
  local pc pid
  for pc in T1 A1 A2 A3; do WINEPREFIX="$work/$pc" wineserver -k 2>/dev/null; rm -rf "$work/$pc"; done
  for pid in "${xvfb_pids[@]}"; do kill "$pid" 2>/dev/null; done
  xvfb_pids=(); display_of=()
  make_pc T1 "$1" && make_pc A1 "$2"
}

# PC NAME GEOMETRY: a screen and a prefix with the engine's files.
declare -A display_of
make_pc() {
  local pc="$1" geometry="$2" screen display pid
  screen="$(kq_start_screen 170 "$geometry")" || return 1
  read -r display pid <<<"$screen"
  xvfb_pids+=("$pid")
  display_of[$pc]="$display"
  kq_wine_copy "$work/$pc"
  mkdir -p "$work/$pc/drive_c/Viewer"
  for f in MirageHost.exe Mirage.dll KqGetBmp.dll ijl11.dll Snarewell.dll Mirage.ini; do
    cp "$bin/$f" "$work/$pc/drive_c/Viewer/" || { echo "missing $f"; return 1; }
  done
}

# run_on PC SCRIPT_TEXT LOG: the host with that script, in the background.
run_on() {
  local pc="$1" log="$3"
  printf '%s\n' "$2" | sed 's/$/\r/' > "$work/$pc/drive_c/Viewer/script.txt"
  "$KQ_ROOT/tools/netns" exec "$tag" "$pc" env WINEPREFIX="$work/$pc" DISPLAY=":${display_of[$pc]}" \
    wine 'C:\Viewer\MirageHost.exe' 'C:\Viewer\script.txt' > "$log" 2>/dev/null &
}

# run_fed PC LOG: the host reading its commands as the test feeds them
# (feed PC LINE...), in the background; its exit is `wait $!` as with run_on.
declare -A feed_of
run_fed() {
  local pc="$1" log="$2" fifo="$work/$1.commands" fd
  rm -f "$fifo"; mkfifo "$fifo"
  exec {fd}<>"$fifo"
  feeds+=("$fd"); feed_of[$pc]="$fd"
  "$KQ_ROOT/tools/netns" exec "$tag" "$pc" env WINEPREFIX="$work/$pc" DISPLAY=":${display_of[$pc]}" \
    wine 'C:\Viewer\MirageHost.exe' <"$fifo" > "$log" 2>/dev/null &
}
feed() {
  local pc="$1"
  shift
  printf '%s\r\n' "$@" >&"${feed_of[$pc]}"
}

# wait_line LOG WORD: until the host printed a line with WORD (at most 90 s).
wait_line() { wait_lines "$1" "$2" 1; }
# wait_lines LOG PATTERN COUNT: until COUNT lines match PATTERN (at most 90 s).
wait_lines() {
  local end=$((SECONDS + 90))
  while [ "$(tr -d '\r' <"$1" 2>/dev/null | grep -c -- "$2")" -lt "$3" ]; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.2
  done
}

shot() { import -display ":${display_of[$1]}" -window root -depth 8 "$2" 2>/dev/null; }

# until_shot PC FILE SECONDS CHECK...: screenshots of PC into FILE until
# check_viewer.py CHECK... FILE passes (then its report is printed) or the
# time is up (the last report is printed, and it fails). With $poke set, that
# command runs before each screenshot.
until_shot() {
  local pc="$1" file="$2" end=$((SECONDS + $3))
  shift 3
  while :; do
    [ -z "${poke:-}" ] || "$poke"
    shot "$pc" "$file"
    if python3 "$here/check_viewer.py" "$@" "$file" >"$file.report" 2>&1 || [ "$SECONDS" -ge "$end" ]; then
      cat "$file.report"
      python3 "$here/check_viewer.py" "$@" "$file" >/dev/null 2>&1
      return
    fi
    sleep 0.3
  done
}

