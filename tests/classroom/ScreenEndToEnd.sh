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
for pc in T A1; do
  screen="$(kq_start_screen 140 1024x768x24)" || exit 1
  read -r display xvfb_pid <<<"$screen"
  display_of[$pc]="$display"
  xvfb_pids+=("$xvfb_pid")
done
classroom_create T teacher A1 student

classroom_install_teacher T "$bin" "$defaults"
# The pattern and the poster: the engine's test host in a folder of its own.
classroom_install_host T "$bin" Pattern
pattern_dir="$(classroom_drive_c T)/Pattern"
classroom_install_student A1 "$bin" "$student_ini"

shot() { import -display ":${display_of[$1]}" -window root -depth 8 "$2" 2>/dev/null; }
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

# check_viewer.py compares a view with the pattern: "view" that it shows it
# with the teacher's cursor, "gone" that it no longer does.
shows_view() { python3 "$checker" view "$tolerance" "$cursor_x" "$cursor_y" "$1"; }
view_gone() { python3 "$checker" gone "$1"; }
tolerance=0
shot A1 "$work/before.ppm" || give_up "no screenshot of A1's screen"
if view_gone "$work/before.ppm" >"$work/before.txt"; then :; else
  give_up "A1 shows the pattern before any broadcast: the PCs' screens are not apart"
fi

until_true 30 post_to_teacher "$wm_command" "$broadcast_command" || give_up "the broadcast command could not be posted"
started() { trace A1 | grep -q 'engine DoStudentTeacherDemo own=1 '; }
until_true "$patience" started || give_up "A1's engine did not start the teacher's broadcast"
# Lossless pictures must match exactly; compressed ones within a margin.
if ! trace T | grep -q 'engine DoTeacherTeacherDemo .*lossless=1'; then tolerance=40; fi
viewing() { shot A1 "$work/viewing.ppm" && shows_view "$work/viewing.ppm" >"$work/viewing.txt"; }
until_true "$patience" viewing || true

until_true 30 post_to_teacher "$wm_hotkey" "$stop_hot_key" || give_up "the stop hot key could not be posted"
stopped() { shot A1 "$work/stopped.ppm" && view_gone "$work/stopped.ppm" >"$work/stopped.txt"; }
until_true 30 stopped || true

report
echo "--- A1's screen"
{ shows_view "$work/viewing.ppm" && view_gone "$work/stopped.ppm"; } ||
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
