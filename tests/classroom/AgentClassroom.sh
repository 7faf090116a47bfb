#!/usr/bin/env bash
# The student agent on a student PC takes the teacher's commands through the
# command transport: A1 logs on; an online test whose library answers -100
# twice is tried exactly twice; the link list sets the proxy; a distributed
# file arrives intact; the desktop setting writes [DESKTOPTYPE] and starts
# the desk; the desktop editor's folders are made and the editor opens; a roll call is answered
# and the answer reaches the teacher; collected homework reaches the
# teacher's file server under the seat; a second roll call ended by the
# teacher sends nothing; the black screen locks the screen with the
# teacher's text until it is turned off. (The update: AgentUpdateClassroom.sh.)
set -euo pipefail
bin="$1"      # the Windows tree's bin folder
teacher="$2"  # CommandTeacher.exe
driver="$3"   # AgentDriver.exe
source "$(dirname "$0")/lib.sh"
lesson_seconds=90

classroom_begin kqa T A1
classroom_create T teacher A1 student

classroom_install_command_teacher T "$bin" "$teacher"
head -c 300000 /dev/urandom >"$(classroom_drive_c T)/lesson.bin"

s_folder="$(classroom_drive_c A1)/Tutorium/Student"
classroom_install_agent A1 "$bin" A1 300 "$driver" "$bin/KqDeskContral.exe"
head -c 50000 /dev/urandom >"$(classroom_drive_c A1)/work.txt"

export KQ_TRACE='C:\trace.txt'
export KQ_QUIZHALL_S_StartTest='-100,-100'
classroom_run A1 Student/Student.exe &
agent=$!
classroom_run A1 Student/AgentDriver.exe "$lesson_seconds" deskedit 'rollcall,到' 'handin,C:\work.txt' &
driver_run=$!
status=0
classroom_run T Teacher/CommandTeacher.exe 'C:\report.txt' "$lesson_seconds" \
  100,0,77 38,0,8080 'send,C:\lesson.bin,C:\KQSENDFILES\' 34,2 35 29 'collect,C:\homework\' 29 46 \
  'text,22,请安静，看黑板' 41 \
  || status=$?
driver_status=0
wait "$driver_run" || driver_status=$?
kill "$agent" 2>/dev/null || true
WINEPREFIX="$work/A1/prefix" wineserver -k 2>/dev/null || true

report() { classroom_text "$1" report.txt; }
trace() { classroom_text A1 trace.txt; }
echo "--- teacher"; report T
echo "--- A1 trace"; trace | grep -v '^Lectern \(deliver\|heartbeat\)' | head -80

failed=0
fail() { echo "FAILED: $1"; failed=1; }
[ "$status" -eq 0 ] || fail "the teacher ended with $status"
report T | grep -q '^logon A1 -> 1$' || fail "A1 logged on"

# The online test: tried once more after -100, then given up.
calls="$(trace | grep -oE 'Quizhall S_(AbortTest|UnInitStudent|InitStudent|StartTest kind)' | tr '\n' ' ')"
expected='Quizhall S_AbortTest Quizhall S_UnInitStudent Quizhall S_InitStudent Quizhall S_StartTest kind '
expected+='Quizhall S_UnInitStudent Quizhall S_InitStudent Quizhall S_StartTest kind '
[ "${calls#*$expected}" != "$calls" ] || fail "start test sequence: $calls"
[ "$(trace | grep -c 'S_StartTest kind=')" -eq 2 ] || fail "S_StartTest tried exactly twice"
trace | grep -q 'S_StartTest kind=0 seat=A1 address=198.18.1.10 port=77' || fail "the test's seat, address and id"

# The link list: the proxy is the teacher's address and the shared port.
proxy="$(WINEPREFIX="$work/A1/prefix" wine reg query \
  'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings' /v ProxyServer 2>/dev/null | tr -d '\r' || true)"
echo "$proxy" | grep -q '198.18.1.10:8080' || fail "proxy set: $proxy"

# The distributed file.
cmp -s "$(classroom_drive_c T)/lesson.bin" "$(classroom_drive_c A1)/KQSENDFILES/lesson.bin" || fail "the file arrived intact"
trace | grep -q 'KqTransmit RecvFile size=1024' || fail "the receive dialog received a file"
trace | grep -q 'KqTransmit UnInitReceiver' || fail "the receive dialog stopped its receiver"

# The desktop setting and the desktop editor.
grep -qi '^type=1' "$s_folder/student.ini" || fail "[DESKTOPTYPE] type=1 written"
trace | grep -q 'KqDesk KqStartKqDesk' || fail "the desk started"
[ -d "$s_folder/config/晨星桌面" ] && [ -d "$s_folder/config/晨星程序" ] || fail "the desktop folders were made"

# The answered roll call reaches the teacher; the one it ended sends nothing.
[ "$driver_status" -eq 0 ] || fail "the desktop editor, the roll call and the hand-in dialog showed on A1"
report T | grep -q '^event 5 seat 1 text 到$' || fail "the roll-call answer reached the teacher"
[ "$(trace | grep -c 'LecternSendRequest type=3')" -eq 1 ] || fail "only the answered roll call sent an answer"

# The homework: handed in with the seat, intact.
trace | grep -q 'StartFileClient address=198.18.1.10 port=[0-9]* kind=0 path=C:\\work.txt seat=A1' ||
  fail "the file client started with the path and the seat"
cmp -s "$(classroom_drive_c A1)/work.txt" "$(classroom_drive_c T)/homework/A1/work.txt" ||
  fail "the homework arrived intact under the seat"

# The black screen: the lock with the teacher's text, lifted by its end.
trace | sed -n '/screen lock shown: 请安静，看黑板$/,$p' | grep -q 'screen lock lifted' ||
  fail "the black screen locked with the teacher's text until it was turned off"

exit "$failed"
