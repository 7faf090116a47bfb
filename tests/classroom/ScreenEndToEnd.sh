#!/usr/bin/env bash
# The screen broadcast with the real programs: Teacher.exe on the teacher PC
# T, whose screen shows the test pattern, and the student agent on A1, each PC
# with a screen of its own. A1 logs on at seat A1; the teacher's broadcast
# command (501) makes A1's screen show the teacher's pattern and cursor; the
# stop hot key (Ctrl+Left, id 0) takes the view away again. Checked on A1's
# screenshots and on both PCs' traces of the transport and its engine.
# The screenshots are kept in the working folder on failure, or always with
# KQ_KEEP_SHOTS=1.
set -euo pipefail
bin="$1"          # the Windows tree's bin folder
defaults="$2"     # the teacher's default files
student_ini="$3"  # the student's default student.ini
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
checker="$KQ_ROOT/broadcast/tests/check_viewer.py"
patience=60       # seconds for each thing awaited
cursor_x=300
cursor_y=200
wm_command=273
wm_hotkey=786
broadcast_command=501
stop_hot_key=0

classroom_begin kqe T A1
xvfb_pids=()
screen_end() {
  classroom_end
  kill "${xvfb_pids[@]}" 2>/dev/null || true
}
trap screen_end EXIT
# Each PC gets a screen of its own, so that A1's screenshot shows only what
# the engine draws there.
declare -A display_of
display=140
for pc in T A1; do
  display="$(kq_free_display "$display")"
  display_of[$pc]="$display"
  xvfb_pids+=("$(kq_start_xvfb "$display" 1024x768x24)")
  display=$((display + 1))
done
classroom_create T teacher A1 student

engine_files=(Mirage.dll Mirage.ini ijl11.dll KqGetBmp.dll Snarewell.dll)
teacher_dir="$(classroom_drive_c T)/Tutorium/Teacher"
classroom_install_teacher T "$bin" "$defaults" "${engine_files[@]/#/$bin/}"
sed -i 's/^ClassroomID=.*/ClassroomID=3/' "$teacher_dir/Teacher.ini"
teacher_value() { sed -n "s/^$1=\([0-9]*\).*/\1/p" "$teacher_dir/Teacher.ini" | head -1; }
main_port="$(teacher_value MainPort)"
version="$(teacher_value VersionID)"

# The pattern and the poster: the engine's test host in a folder of its own.
pattern_dir="$(classroom_drive_c T)/Pattern"
mkdir -p "$pattern_dir"
for module in MirageHost.exe "${engine_files[@]}"; do cp "$bin/$module" "$pattern_dir/"; done

# A1 set up as StudentLogon.sh does: the install folder with the default
# student.ini on the teacher's port, the seat and classroom in the backup.
# The agent is as new as the teacher: an older one would be sent the update
# at log-on and close its transport for it.
student_dir="$(classroom_drive_c A1)/Tutorium/Student"
for module in Student.exe Satchel.dll KqDesk.dll Quizhall.dll KqTransmit.dll KqCheck.dll "${engine_files[@]}"; do
  cp "$bin/$module" "$student_dir/"
done
cp "$bin/student-lectern/Lectern.dll" "$student_dir/"
cp "$student_ini" "$student_dir/student.ini"
sed -i -e "s/^MainPort=.*/MainPort=$main_port/" -e "s/^VersionID=.*/VersionID=$version/" "$student_dir/student.ini"
printf '[STUDENTNUMBER]\r\nnumber=A1\r\n[VER]\r\nClassRoomID=3\r\n' \
  >"$(classroom_drive_c A1)/Tutorium/Backup/student.ini"

# run_on PC PROGRAM [ARGS...]: PROGRAM on the PC's own screen and network.
run_on() {
  local pc="$1"
  shift
  "$tools/netns" exec "$tag" "$pc" "$tools/pc" run "$work/$pc" "${display_of[$pc]}" "$@"
}
trace() { classroom_text "$1" trace.txt; }
shot() { import -display ":${display_of[$1]}" -window root -depth 8 "$2" 2>/dev/null; }
# until SECONDS COMMAND...: polls COMMAND every half second.
until_true() {
  local end=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.5
  done
}
# post MESSAGE WPARAM: posts to the teacher's main window (found by its title)
# with a one-line script of the test host; true when it was posted.
post_to_teacher() {
  local script
  script="$pattern_dir/post-$1-$2.txt"
  printf 'post 晨星电子教室 %s %s\r\nquit\r\n' "$1" "$2" | iconv -f UTF-8 -t GBK >"$script"
  local output
  output="$(run_on T "$pattern_dir/MirageHost.exe" "C:\\Pattern\\$(basename "$script")" 2>/dev/null || true)"
  printf '%s\n' "$output" >>"$work/post.log"
  grep -q '^post = 1 ' <<<"$output"
}

failed=0
fail() { echo "FAILED: $*"; failed=1; }
report() {
  echo "--- T engine and log-ons"
  trace T | grep -E 'engine|logon|LecternOpen|LecternSendCommand' | head -40 || true
  echo "--- A1 engine"
  trace A1 | head -60 || true
  echo "--- posts"; cat "$work/post.log" 2>/dev/null || true
  echo "--- pattern host"; grep -v -e "^cursor" -e "^sleep" "$work/pattern.log" 2>/dev/null || true
  echo "--- agent"; cat "$work/agent.log" 2>/dev/null || true
}
give_up() {
  fail "$1"
  report
  exit 1
}

export KQ_TRACE='C:\trace.txt'
run_on T Teacher/Teacher.exe >"$work/teacher.log" 2>&1 &
run_on A1 Student/Student.exe >"$work/agent.log" 2>&1 &
logged_on() { trace T | grep -Eq '^Lectern logon A1 from 198\.18\.1\.11: 1$'; }
until_true "$patience" logged_on || give_up "A1 did not log on to Teacher.exe at seat 1"

# The pattern over the teacher's desktop, with the cursor nudged every second
# so that the engine always has a position to send.
{
  printf 'pattern\r\n'
  for i in $(seq 0 239); do printf 'cursor %d %d\r\nsleep 1000\r\n' $((cursor_x + i % 2)) "$cursor_y"; done
  printf 'quit\r\n'
} >"$pattern_dir/pattern.txt"
run_on T "$pattern_dir/MirageHost.exe" 'C:\Pattern\pattern.txt' >"$work/pattern.log" 2>&1 &
until_true "$patience" grep -q '^pattern' "$work/pattern.log" || give_up "the pattern host did not start"

# check_viewer.py compares a view with the pattern; a shot that must show it
# is "viewing", one that must not is "stopped".
checks() { python3 "$checker" "$1" "$2" "$tolerance" "$cursor_x" "$cursor_y" || true; }
tolerance=0
shot A1 "$work/before.ppm" || give_up "no screenshot of A1's screen"
checks "$work/before.ppm" "$work/before.ppm" >"$work/before.txt"
if grep -q "^ok   the student's view shows" "$work/before.txt"; then
  give_up "A1 shows the pattern before any broadcast: the PCs' screens are not apart"
fi

until_true 30 post_to_teacher "$wm_command" "$broadcast_command" || give_up "the broadcast command could not be posted"
started() { trace A1 | grep -q 'engine DoStudentTeacherDemo own=1 '; }
until_true "$patience" started || give_up "A1's engine did not start the teacher's broadcast"
# Lossless pictures must match exactly; compressed ones within a margin.
if ! trace T | grep -q 'engine DoTeacherTeacherDemo .*lossless=1'; then tolerance=40; fi
viewing() {
  shot A1 "$work/viewing.ppm" || return 1
  checks "$work/viewing.ppm" "$work/viewing.ppm" >"$work/viewing.txt"
  grep -q "^ok   the student's view shows" "$work/viewing.txt" && grep -q "^ok   the teacher's cursor" "$work/viewing.txt"
}
until_true "$patience" viewing || true

until_true 30 post_to_teacher "$wm_hotkey" "$stop_hot_key" || give_up "the stop hot key could not be posted"
stopped() {
  shot A1 "$work/stopped.ppm" &&
    checks "$work/viewing.ppm" "$work/stopped.ppm" | grep -q '^ok   DoStop removed the view'
}
until_true 30 stopped || true

report
echo "--- A1's screen"
python3 "$checker" "$work/viewing.ppm" "$work/stopped.ppm" "$tolerance" "$cursor_x" "$cursor_y" ||
  fail "A1's screen did not show the broadcast and then lose it"
# after: the part of a PC's trace from the first line matching a pattern on.
after() { trace "$1" | sed -n "/$2/,\$p"; }
after T 'LecternSendCommand code=1 ' | grep -q 'engine DoTeacherTeacherDemo ' ||
  fail "the broadcast command did not start the teacher's engine"
after T 'engine DoTeacherTeacherDemo ' | grep -Eq '^Lectern LecternSendCommand code=0 ' ||
  fail "the hot key sent no stop to the class"
after A1 'engine DoStudentTeacherDemo ' | grep -q 'engine DoStop' || fail "A1's engine was not stopped"
if [ "$failed" -ne 0 ] || [ "${KQ_KEEP_SHOTS:-0}" = 1 ]; then
  keep="$PWD/ScreenEndToEnd-shots"
  mkdir -p "$keep"
  cp "$work"/*.ppm "$keep/" 2>/dev/null || true
  echo "screenshots kept in $keep"
fi
exit "$failed"
