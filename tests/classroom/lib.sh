# Shared set-up of the classroom tests: a private network with one namespace
# per PC, a work folder, and a trap that stops the PCs' Wine servers, takes
# the network down and removes the work folder. Source it; don't run it.
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib.sh"
kq_wine_env
tools="$KQ_ROOT/tools"

# classroom_begin PREFIX PC...: a network named PREFIX + this shell's process
# id with the named PCs (the first gets 198.18.1.10, the next .11, .12, ...).
# Sets $tag and $work.
classroom_begin() {
  tag="$1$$"
  shift
  classroom_pcs=("$@")
  work="$(mktemp -d "$KQ_BUILD/classroom-test.XXXXXX")"
  trap classroom_end EXIT
  "$tools/netns" up "$tag" "${classroom_pcs[@]}"
}

classroom_end() {
  local pc
  for pc in "${classroom_pcs[@]}"; do
    WINEPREFIX="$work/$pc/prefix" wineserver -k 2>/dev/null || true
  done
  "$tools/netns" down "$tag"
  rm -rf "$work"
}

# classroom_create PC ROLE [PC ROLE]...: sets the PCs up side by side (each
# start of Wine takes seconds); fails when any of them fails.
classroom_create() {
  local pids=() pid failed=0
  while [ "$#" -ge 2 ]; do
    "$tools/netns" exec "$tag" "$1" "$tools/pc" create "$work/$1" "$2" &
    pids+=($!)
    shift 2
  done
  for pid in "${pids[@]}"; do
    wait "$pid" || failed=1
  done
  return "$failed"
}

# classroom_run PC PROGRAM [ARGS...]: runs PROGRAM on the PC's own screen
# and network; returns its exit code.
classroom_run() {
  local pc="$1"
  shift
  "$tools/netns" exec "$tag" "$pc" "$tools/pc" run "$work/$pc" "${DISPLAY#:}" "$@"
}

# classroom_drive_c PC: the Unix path of the PC's C: drive.
classroom_drive_c() { printf '%s' "$work/$1/prefix/drive_c"; }
