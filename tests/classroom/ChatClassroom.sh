#!/usr/bin/env bash
# The teacher's chat with one student: Teacher.exe on T and the real agents
# on A1 and A2, each PC with a screen of its own, a probe on the classroom
# group on A2. Three rounds, each opened by 309 with A1 selected:
# 1. T's chat on T's own adapter address: a Chinese line typed on T's
#    keyboard and one typed on A1's reach both windows byte for byte, each
#    once; A1 closes its window: T shows the notice once and stays; 705.
# 2. Any adapter (0.0.0.0): the lines again; Esc closes.
# 3. The caption's close button closes.
# Every close sends eight end records on the group, code 0 to A1 closes its
# window, and the teacher's buttons come back.
set -euo pipefail
bin="$1"          # the Windows tree's bin folder
defaults="$2"     # the teacher's default files
student_ini="$3"  # the student's default student.ini
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh"
patience=90         # seconds for each thing awaited
probe_seconds=400   # the longest a round's probe listens
seat_a1=1
chat_button=309
send_files_button=307
talk_title="晨星电子教室 学生机"
teacher_line="你好 abc"
student_line="收到 ok"
group=227.1.1.7

classroom_begin kqc T A1 A2
xvfb_pids=()
chat_end() {
  classroom_end
  kill "${xvfb_pids[@]}" 2>/dev/null || true
}
trap chat_end EXIT
declare -A display_of
for pc in T A1 A2; do
  screen="$(kq_start_screen 170 1024x768x24)" || exit 1
  read -r display xvfb_pid <<<"$screen"
  display_of[$pc]="$display"
  xvfb_pids+=("$xvfb_pid")
done
classroom_create T teacher A1 student A2 student

classroom_install_teacher T "$bin" "$defaults" "$bin/ChatDriver.exe"
teacher_dir="$(classroom_drive_c T)/Tutorium/Teacher"
chat_port=$((main_port + 11))
for pc in A1 A2; do
  classroom_install_student "$pc" "$bin" "$student_ini"
done
# A1's talk window is read by the engine's test host.
classroom_install_host A1 "$bin" Tool
tool_dir="$(classroom_drive_c A1)/Tool"
mkdir -p "$(classroom_drive_c A2)/probe"
cp "$bin/DatagramProbe.exe" "$(classroom_drive_c A2)/probe/"
classroom_keyboard "${display_of[T]}" "$work/T.compose" "$teacher_line"
classroom_keyboard "${display_of[A1]}" "$work/A1.compose" "$student_line"

hex_of() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'; }
crlf_hex=0D0A
failed=0
fail() { echo "FAILED: $*"; failed=1; }
report() {
  echo "--- teacher driver"; classroom_text T driver.txt
  for pc in T A1; do
    echo "--- $pc trace"
    trace "$pc" | grep -E 'logon|LecternSendCommand|command (28|0) ' | tail -20 || true
  done
  echo "--- tool"; cat "$work/tool.log" 2>/dev/null || true
}
give_up() {
  fail "$1"
  report
  exit 1
}
teacher() { run_on T Teacher/ChatDriver.exe 'C:\trace.txt' 'C:\driver.txt' "$patience" "$@"; }
# The texts of A1's talk window, one "text HEX" line each.
talk_texts() {
  printf '%s\r\n' "texts $talk_title" quit | iconv -f UTF-8 -t GBK >"$tool_dir/script.txt"
  run_on A1 "$tool_dir/MirageHost.exe" 'C:\Tool\script.txt' 2>/dev/null | tr -d '\r' | tee -a "$work/tool.log"
}
talk_shows() { talk_texts | grep -qx "text $1"; }
talk_open() { DISPLAY=":${display_of[A1]}" xdotool search --onlyvisible --name "^$talk_title\$" >/dev/null 2>&1; }
talk_closed() { ! talk_open; }
sends() { trace T | grep -c "^Lectern LecternSendCommand code=$1 targets=1 " || true; }
# The talk window opens with Send focused, as the student sees it: a click
# into its line first, as the student would.
click_talk_line() {
  local window X Y WIDTH HEIGHT SCREEN
  window="$(DISPLAY=":${display_of[A1]}" xdotool search --onlyvisible --name "^$talk_title\$" | head -1)"
  [ -n "$window" ] || return 1
  eval "$(DISPLAY=":${display_of[A1]}" xdotool getwindowgeometry --shell "$window")"
  DISPLAY=":${display_of[A1]}" xdotool mousemove --sync $((X + 150)) $((Y + 192)) click 1
}
# set_adapter ADDRESS: the adapter the teacher's chat joins on.
set_adapter() { printf '[NETADAPTER]\r\nIPADDRESS=%s\r\n' "$1" >"$teacher_dir/student.ini"; }

export KQ_TRACE='C:\trace.txt'
XCOMPOSEFILE="$work/T.compose" run_on T Teacher/Teacher.exe >"$work/teacher.log" 2>&1 &
for pc in A1 A2; do
  XCOMPOSEFILE="$work/$pc.compose" run_on "$pc" Student/Student.exe >"$work/$pc.log" 2>&1 &
done
teacher 'wait,logon A1 from' 'wait,logon A2 from' || give_up "the students did not log on to Teacher.exe"

teacher_hex="$(hex_of "教师：$teacher_line")$crlf_hex"
student_hex="$(hex_of "学生：$student_line")$crlf_hex"

# round N ADDRESS CLOSE LINES RECORDS: one chat; LINES yes types a line on
# each side; the probe ends after the RECORDS that the round puts on the group.
round() {
  local n="$1" address="$2" close="$3" lines="$4" records="$5" probe_file="probe$1.txt" before_open before_end
  echo "--- round $n: adapter $address, closed by $close"
  set_adapter "$address"
  rm -f "$(classroom_drive_c A2)/$probe_file" "$(classroom_drive_c A2)/$probe_file.ready"
  run_on A2 "$(classroom_drive_c A2)/probe/DatagramProbe.exe" listen "$group" "$chat_port" "$probe_seconds" "C:\\$probe_file" "$records" \
    >/dev/null 2>&1 &
  local probe_pid=$!
  until_true "$patience" test -e "$(classroom_drive_c A2)/$probe_file.ready" || give_up "the probe did not listen"
  before_open="$(sends 28)"
  before_end="$(sends 0)"

  teacher "select,$seat_a1" "command,$chat_button" chat "enabled,$send_files_button,0" ||
    give_up "round $n: the chat did not open"
  [ "$(sends 28)" -eq $((before_open + 1)) ] || fail "round $n: code 28 did not go to A1 alone, once"
  until_true "$patience" talk_open || give_up "round $n: A1's talk window did not open"

  if [ "$lines" = yes ]; then
    classroom_type "${display_of[T]}" "$work/T.compose" Chat "$teacher_line" || fail "round $n: could not type on T"
    teacher "history,教师：$teacher_line" || fail "round $n: the teacher's line is not in its history once"
    until_true "$patience" talk_shows "$teacher_hex" || fail "round $n: A1 does not show the teacher's line once"
    click_talk_line || fail "round $n: could not click into A1's line"
    classroom_type "${display_of[A1]}" "$work/A1.compose" "$talk_title" "$student_line" ||
      fail "round $n: could not type on A1"
    teacher "history,教师：$teacher_line|学生：$student_line" || fail "round $n: A1's line is not in the history"
    until_true "$patience" talk_shows "$teacher_hex$student_hex" || fail "round $n: A1 does not show both lines"
  fi
  if [ "$n" = 1 ]; then
    local window
    window="$(DISPLAY=":${display_of[A1]}" xdotool search --onlyvisible --name "^$talk_title\$" | head -1)"
    DISPLAY=":${display_of[A1]}" xdotool windowfocus --sync "$window" key Escape || fail "could not close A1's window"
    teacher box chat || fail "the teacher did not show that A1 left"
    until_true "$patience" talk_closed || fail "A1's window did not close"
  fi

  teacher "close,$close" "enabled,$chat_button,1" "enabled,$send_files_button,1" ||
    fail "round $n: the chat did not close by $close with the buttons back"
  until_true "$patience" talk_closed || fail "round $n: A1's talk window stayed open"
  until_true "$patience" test "$(sends 0)" -ge $((before_end + 1)) || fail "round $n: code 0 did not go to A1"
  wait "$probe_pid" || true
  local ends
  ends="$(classroom_text A2 "$probe_file" | grep -c '^00 from ' || true)"
  [ "$ends" -eq 8 ] || fail "round $n: $ends end records on the group, not 8"
}

# Each line is one record; A1's window sends 7 end notices, the teacher 8.
round 1 198.18.1.10 705 yes 17
# The notice came once, for the student's several end records.
[ "$(classroom_text T driver.txt | grep -c '^box ')" -eq 1 ] || fail "the student's end was shown more than once"
classroom_text T driver.txt | grep -q "^box 学生已经关闭了文字交谈窗口" || fail "the notice was not the student's end"
round 2 0.0.0.0 esc yes 17
round 3 0.0.0.0 400 no 15

report
exit "$failed"
