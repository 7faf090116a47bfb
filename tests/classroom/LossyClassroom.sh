#!/usr/bin/env bash
# A classroom on a lossy network: Teacher.exe and three student agents, each
# PC with a screen of its own, on a bridge that drops 5 % of the UDP
# datagrams at random. The teacher broadcasts a changing screen for 20 s;
# once it stands still every student's screen comes to show the teacher's
# picture; the stop reaches every student, and nobody falls off line.
set -euo pipefail
bin="$1"          # the Windows tree's bin folder
defaults="$2"     # the teacher's default files
student_ini="$3"  # the student's default student.ini
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
loss=5            # per cent
broadcast_s=20
patience=90       # seconds for each thing awaited
recovery_s=90     # for the screens to match once the picture stands still: at 5 % loss
                  # few frames arrive whole
cursor_x=300
cursor_y=200
wm_command=273
wm_hotkey=786
broadcast_command=501
stop_hot_key=0
offline_event=1
silent_s=6        # longer than the transport takes to call a student off line
students=(A1 A2 A3)

classroom_begin kql T "${students[@]}"
xvfb_pids=()
lossy_end() {
  classroom_end
  kill "${xvfb_pids[@]}" 2>/dev/null || true
}
trap lossy_end EXIT
declare -A display_of
for pc in T "${students[@]}"; do
  screen="$(kq_start_screen 200 1024x768x24)" || exit 1
  read -r display xvfb_pid <<<"$screen"
  display_of[$pc]="$display"
  xvfb_pids+=("$xvfb_pid")
done
classroom_create T teacher A1 student A2 student A3 student
classroom_install_teacher T "$bin" "$defaults"
classroom_install_host T "$bin" Pattern
pattern_dir="$(classroom_drive_c T)/Pattern"
for pc in "${students[@]}"; do classroom_install_student "$pc" "$bin" "$student_ini"; done
"$tools/netns" loss "$tag" "$loss"

shot() { import -display ":${display_of[$1]}" -window root -depth 8 "$2" 2>/dev/null; }
post_to_teacher() {
  local script="$pattern_dir/post-$1-$2.txt"
  printf 'post 晨星电子教室 %s %s\r\nquit\r\n' "$1" "$2" | iconv -f UTF-8 -t GBK >"$script"
  run_on T "$pattern_dir/MirageHost.exe" "C:\\Pattern\\$(basename "$script")" 2>/dev/null | grep -q '^post = 1 '
}
failed=0
fail() { echo "FAILED: $*"; failed=1; }
report() {
  for pc in T "${students[@]}"; do
    echo "--- $pc"
    trace "$pc" | grep -E 'logon|engine Do|event 1 |teacher lost' | head -20 || true
  done
  echo "--- bridge: $("$tools/netns" lost "$tag") datagrams dropped"
}
give_up() {
  fail "$1"
  report
  exit 1
}

export KQ_TRACE='C:\trace.txt'
run_on T Teacher/Teacher.exe >"$work/teacher.log" 2>&1 &
for pc in "${students[@]}"; do run_on "$pc" Student/Student.exe >"$work/$pc.log" 2>&1 & done
logged_on() { trace T | grep -Eq "^Lectern logon $1 from [0-9.]+: [1-9][0-9]*$"; }
for pc in "${students[@]}"; do
  until_true "$patience" logged_on "$pc" || give_up "$pc did not log on through the loss"
done

# The moving pattern for the broadcast's time, then standing still.
{
  printf 'animate\r\n'
  for ((i = 0; i < broadcast_s; i++)); do printf 'cursor %d %d\r\nsleep 1000\r\n' $((cursor_x + i % 2)) "$cursor_y"; done
  printf 'still\r\ncursor %d %d\r\nsleep %d\r\nquit\r\n' "$cursor_x" "$cursor_y" $(((recovery_s + patience) * 1000))
} >"$pattern_dir/pattern.txt"
run_on T "$pattern_dir/MirageHost.exe" 'C:\Pattern\pattern.txt' >"$work/pattern.log" 2>&1 &
until_true "$patience" grep -q '^animate' "$work/pattern.log" || give_up "the pattern host did not start"
until_true 30 post_to_teacher "$wm_command" "$broadcast_command" || give_up "the broadcast command could not be posted"
started() { trace "$1" | grep -q 'engine DoStudentTeacherDemo '; }
for pc in "${students[@]}"; do
  until_true "$patience" started "$pc" || fail "the broadcast command did not reach $pc"
done

until_true $((broadcast_s + patience)) grep -q '^still' "$work/pattern.log" || give_up "the pattern did not stand still"
sleep 1 # the still picture on the teacher's screen
shot T "$work/teacher.ppm" || give_up "no screenshot of the teacher's screen"
matches() {
  shot "$1" "$work/$1.ppm" &&
    python3 "$here/compare_screens.py" "$work/teacher.ppm" --cursor "$cursor_x" "$cursor_y" "$work/$1.ppm" \
      >"$work/$1.compare"
}
for pc in "${students[@]}"; do
  until_true "$recovery_s" matches "$pc" || fail "$pc's screen did not come to show the teacher's: $(cat "$work/$pc.compare")"
done

until_true 30 post_to_teacher "$wm_hotkey" "$stop_hot_key" || give_up "the stop hot key could not be posted"
stopped() { trace "$1" | grep -q 'engine DoStop'; }
own_screen() {
  shot "$1" "$work/$1-stopped.ppm" &&
    ! python3 "$here/compare_screens.py" "$work/teacher.ppm" --cursor "$cursor_x" "$cursor_y" \
      "$work/$1-stopped.ppm" >/dev/null
}
for pc in "${students[@]}"; do
  until_true "$patience" stopped "$pc" || fail "the stop did not reach $pc"
  until_true 30 own_screen "$pc" || fail "$pc still shows the teacher's picture after the stop"
done

sleep "$silent_s"
if trace T | grep -Eq "^Lectern event $offline_event value "; then fail "a student fell off line"; fi
[ "$("$tools/netns" lost "$tag")" -gt 0 ] || fail "the bridge dropped nothing: no loss was tried"
report
if [ "$failed" -ne 0 ] || [ "${KQ_KEEP_SHOTS:-0}" = 1 ]; then
  keep="$PWD/LossyClassroom-shots"
  mkdir -p "$keep"
  cp "$work"/*.ppm "$keep/" 2>/dev/null || true
  echo "screenshots kept in $keep"
fi
exit "$failed"
