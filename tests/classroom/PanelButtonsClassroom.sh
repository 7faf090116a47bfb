#!/usr/bin/env bash
# Teacher.exe with two real student agents, A1 and A2, each PC with a screen
# of its own. The roll call (panel button 316) asks both students for a
# name; a Chinese name typed on A1's keyboard and an ASCII one on A2's reach
# the teacher's seat captions byte for byte. The screen lock (305) covers
# both students' screens and its second press lifts it.
set -euo pipefail
bin="$1"          # the Windows tree's bin folder
defaults="$2"     # the teacher's default files
student_ini="$3"  # the student's default student.ini
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
patience=60       # seconds for each thing awaited
wm_command=273
roll_call_button=316
screen_lock_button=305
roll_call_title=calling
teacher_title=晨星电子教室
declare -A name_of=([A1]="李明" [A2]="Wang")

classroom_begin kqk T A1 A2
xvfb_pids=()
keyboard_end() {
  classroom_end
  kill "${xvfb_pids[@]}" 2>/dev/null || true
}
trap keyboard_end EXIT
declare -A display_of
display=160
for pc in T A1 A2; do
  display="$(kq_free_display "$display")"
  display_of[$pc]="$display"
  xvfb_pids+=("$(kq_start_xvfb "$display" 1024x768x24)")
  display=$((display + 1))
done
classroom_create T teacher A1 student A2 student

classroom_install_teacher T "$bin" "$defaults"
# The test host posts to the teacher's window and reads its seat captions.
classroom_install_host T "$bin" Tool
tool_dir="$(classroom_drive_c T)/Tool"
for pc in A1 A2; do
  classroom_install_student "$pc" "$bin" "$student_ini"
  classroom_keyboard "${display_of[$pc]}" "$work/$pc.compose" "${name_of[$pc]}"
done

# tool LINE...: runs the test host on the teacher PC with these lines.
tool() {
  local script="$tool_dir/script.txt"
  printf '%s\r\n' "$@" quit | iconv -f UTF-8 -t GBK >"$script"
  run_on T "$tool_dir/MirageHost.exe" 'C:\Tool\script.txt' 2>/dev/null | tr -d '\r' | tee -a "$work/tool.log"
}
press() { tool "post $teacher_title $wm_command $1" | grep -q '^post = 1 '; }
# The teacher's seat captions, as hex bytes of CP936.
captions() { tool "texts $teacher_title" | sed -n 's/^text //p'; }
hex_of() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'; }

failed=0
fail() { echo "FAILED: $*"; failed=1; }
report() {
  for pc in T A1 A2; do
    echo "--- $pc"
    trace "$pc" | grep -E 'logon|LecternSendCommand|LecternSendRequest|command (29|13|0) |screen lock' | head -30 || true
  done
  echo "--- tool"; cat "$work/tool.log" 2>/dev/null || true
}
give_up() {
  fail "$1"
  report
  exit 1
}

export KQ_TRACE='C:\trace.txt'
run_on T Teacher/Teacher.exe >"$work/teacher.log" 2>&1 &
for pc in A1 A2; do
  XCOMPOSEFILE="$work/$pc.compose" run_on "$pc" Student/Student.exe >"$work/$pc.log" 2>&1 &
done
logged_on() { trace T | grep -Eq "^Lectern logon $1 from "; }
for pc in A1 A2; do
  until_true "$patience" logged_on "$pc" || give_up "$pc did not log on to Teacher.exe"
done

# The roll call: each student types a name into the dialog it opens.
until_true 30 press "$roll_call_button" || give_up "the roll call could not be pressed"
dialog_shown() { DISPLAY=":${display_of[$1]}" xdotool search --onlyvisible --name "^$roll_call_title\$" >/dev/null; }
for pc in A1 A2; do
  until_true "$patience" dialog_shown "$pc" || give_up "no roll-call dialog on $pc"
  import -display ":${display_of[$pc]}" -window root "$work/roll-call-$pc.png" 2>/dev/null || true
  classroom_type "${display_of[$pc]}" "$work/$pc.compose" "$roll_call_title" "${name_of[$pc]}" ||
    fail "could not type on $pc"
done
answered() {
  local shown pc
  shown="$(captions)"
  for pc in A1 A2; do
    grep -qx "$(hex_of "$pc:${name_of[$pc]}")" <<<"$shown" || return 1
  done
}
until_true "$patience" answered || fail "the typed names did not reach the seat captions byte for byte"

# The screen lock: on at the first press, off at the second.
locks() { [ "$(trace "$1" | grep -c "$2")" -ge "$3" ]; }
press "$screen_lock_button" || fail "the screen lock could not be pressed"
for pc in A1 A2; do
  until_true "$patience" locks "$pc" 'screen lock shown' 1 || fail "the screen lock did not cover $pc"
done
press "$screen_lock_button" || fail "the screen lock could not be pressed again"
for pc in A1 A2; do
  until_true "$patience" locks "$pc" 'screen lock lifted' 1 || fail "the second press did not lift $pc's lock"
done

report
if [ "$failed" -ne 0 ] || [ "${KQ_KEEP_SHOTS:-0}" = 1 ]; then
  keep="$PWD/PanelButtons-shots"
  mkdir -p "$keep"
  cp "$work"/*.png "$keep/" 2>/dev/null || true
  echo "screenshots kept in $keep"
fi
exit "$failed"
